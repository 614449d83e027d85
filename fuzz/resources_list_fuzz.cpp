// Feeds arbitrary value lists to the reader of the stored "Resources" list
// and checks that what it read writes and reads back the same.

#include <wordmill/core/ResourcesList.h>

#include <QVariantList>

#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace wordmill;

namespace {

// Turns the bytes into a list of values: a tag byte chooses a string (a
// length byte and that many UTF-16 code units), a 32-bit integer, a
// 64-bit integer, a double or a value of no type.
QVariantList valuesFrom(const uint8_t *data, size_t size)
{
    QVariantList values;
    size_t at = 0;
    const auto take = [&](void *target, size_t bytes) {
        if (size - at < bytes)
            return false;
        std::memcpy(target, data + at, bytes);
        at += bytes;
        return true;
    };
    uint8_t tag = 0;
    while (take(&tag, 1)) {
        switch (tag % 5) {
        case 0: {
            uint8_t length = 0;
            if (!take(&length, 1))
                return values;
            QString text(length, Qt::Uninitialized);
            if (!take(text.data(), size_t(length) * 2))
                return values;
            values.append(text);
            break;
        }
        case 1: {
            qint32 number = 0;
            if (!take(&number, sizeof number))
                return values;
            values.append(number);
            break;
        }
        case 2: {
            qint64 number = 0;
            if (!take(&number, sizeof number))
                return values;
            values.append(number);
            break;
        }
        case 3: {
            double number = 0;
            if (!take(&number, sizeof number))
                return values;
            values.append(number);
            break;
        }
        default:
            values.append(QVariant());
        }
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TResourcesList list;
    try {
        list.ReadList(valuesFrom(data, size));
    } catch (const EResourcesListError &) {
        if (list.Count() != 0)
            __builtin_trap();
        return 0;
    }
    TResourcesList again;
    again.ReadList(list.WriteList());
    if (!again.Equal(list))
        __builtin_trap();
    for (int i = 0; i < list.Count(); ++i)
        (void)list.DifferDesignForm(i);
    return 0;
}
