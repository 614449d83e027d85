#include "Win32Download.h"

#include "Win32Failure.h"

#include <windows.h>

#include <urlmon.h>

namespace corvane::win32 {

namespace {

using URLDownloadToFileWFunction = HRESULT(WINAPI *)(LPUNKNOWN caller, LPCWSTR url,
                                                     LPCWSTR fileName, DWORD reserved,
                                                     LPBINDSTATUSCALLBACK callback);

// urlmon.dll is loaded once, on the first download, and stays loaded until
// the process ends.
class UrlMoniker
{
public:
    static URLDownloadToFileWFunction DownloadFunction()
    {
        static UrlMoniker library;
        return library.m_download;
    }

private:
    UrlMoniker() : m_module(LoadLibraryW(L"urlmon.dll"))
    {
        if (m_module)
            m_download = reinterpret_cast<URLDownloadToFileWFunction>(
                reinterpret_cast<void *>(GetProcAddress(m_module, "URLDownloadToFileW")));
    }
    ~UrlMoniker()
    {
        if (m_module)
            FreeLibrary(m_module);
    }

    HMODULE m_module = nullptr;
    URLDownloadToFileWFunction m_download = nullptr;
};

std::wstring Trimmed(const wchar_t *text)
{
    std::wstring result = text ? text : L"";
    const auto isSpace = [](wchar_t c) { return c <= L' '; };
    while (!result.empty() && isSpace(result.back()))
        result.pop_back();
    std::size_t start = 0;
    while (start < result.size() && isSpace(result[start]))
        ++start;
    return result.substr(start);
}

// The download's bind-status callback. Progress goes to the handler; a cancel
// asks the binding to abort as well as answering E_ABORT, because not every
// urlmon stops on the answer alone. As the HTTP negotiator it learns the
// server's status code: urlmon saves an error page (a 404) like any other
// content and reports success. It lives on the stack of the download, so
// reference counting has nothing to free.
class BindStatusCallback final : public IBindStatusCallback, public IHttpNegotiate
{
public:
    explicit BindStatusCallback(const ProgressHandler &onProgress) : m_onProgress(onProgress) {}
    virtual ~BindStatusCallback() { ReleaseBinding(); }

    bool Cancelled() const { return m_cancelled; }
    // 0 until a response arrived.
    DWORD HttpStatus() const { return m_httpStatus; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
            *object = static_cast<IBindStatusCallback *>(this);
        } else if (IsEqualIID(iid, IID_IHttpNegotiate)) {
            *object = static_cast<IHttpNegotiate *>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_references; }

    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding *binding) override
    {
        ReleaseBinding();
        m_binding = binding;
        if (m_binding)
            m_binding->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode,
                                         LPCWSTR statusText) override
    {
        if (m_cancelled)
            return E_ABORT;
        bool cancel = false;
        if (m_onProgress)
            m_onProgress(progress, progressMax, statusCode, Trimmed(statusText), cancel);
        if (!cancel)
            return S_OK;
        m_cancelled = true;
        if (m_binding)
            m_binding->Abort();
        return E_ABORT;
    }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override
    {
        ReleaseBinding();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD *, BINDINFO *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC *, STGMEDIUM *) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown *) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD,
                                                   LPWSTR *additionalHeaders) override
    {
        if (additionalHeaders)
            *additionalHeaders = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnResponse(DWORD status, LPCWSTR, LPCWSTR,
                                         LPWSTR *additionalHeaders) override
    {
        m_httpStatus = status;
        if (additionalHeaders)
            *additionalHeaders = nullptr;
        return S_OK;
    }

private:
    void ReleaseBinding()
    {
        if (m_binding)
            m_binding->Release();
        m_binding = nullptr;
    }

    const ProgressHandler &m_onProgress;
    IBinding *m_binding = nullptr;
    bool m_cancelled = false;
    DWORD m_httpStatus = 0;
    ULONG m_references = 1;
};

} // namespace

void DownloadToFile(const std::wstring &url, const std::wstring &fileName,
                    const ProgressHandler &onProgress)
{
    const URLDownloadToFileWFunction download = UrlMoniker::DownloadFunction();
    if (!download)
        throw Failure(L"Exception", L"Unable to load urlmon.dll");

    // A failed or cancelled download must not leave a truncated file under
    // the installer's name, nor destroy an earlier complete copy.
    const std::wstring partial = fileName + L".download";
    BindStatusCallback callback(onProgress);
    const HRESULT result = download(nullptr, url.c_str(), partial.c_str(), 0, &callback);
    // A status of 400 and above is the server's refusal, whatever came with it.
    const bool received = result == S_OK && !callback.Cancelled() && callback.HttpStatus() < 400;
    if (!received || !MoveFileExW(partial.c_str(), fileName.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
        DeleteFileW(partial.c_str());
        throw Failure(L"Exception", L"Error downloading URL: " + url);
    }
}

} // namespace corvane::win32
