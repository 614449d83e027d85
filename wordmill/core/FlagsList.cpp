#include "FlagsList.h"

namespace wordmill {

TFlagsList::TFlagsList() = default;
TFlagsList::~TFlagsList() = default;

void TFlagsList::ClearFlags()
{
    Flags.clear();
}

QBuffer *TFlagsList::NewFlag()
{
    auto stream = std::make_unique<QBuffer>();
    stream->open(QIODevice::ReadWrite);
    Flags.push_back(std::move(stream));
    return Flags.back().get();
}

QBuffer *TFlagsList::GetFlagStream(int Index)
{
    if (Index < 0)
        return nullptr;
    if (Index < Count()) {
        QBuffer *stream = Flags[size_t(Index)].get();
        stream->seek(0);
        return stream;
    }
    QBuffer *last = nullptr;
    while (Count() <= Index)
        last = NewFlag();
    return last;
}

bool TFlagsList::Present(int FlagIndex) const
{
    return FlagIndex >= 0 && FlagIndex < Count() && Flags[size_t(FlagIndex)]->size() > 10;
}

} // namespace wordmill
