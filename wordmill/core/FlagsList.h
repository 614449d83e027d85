#pragma once

#include <QBuffer>
#include <QByteArray>

#include <memory>
#include <vector>

namespace wordmill {

// The flag image of every entry of an engine's language menu, as streams of
// the picture file's bytes. Positions follow the menu.
class TFlagsList
{
public:
    TFlagsList();
    ~TFlagsList();
    TFlagsList(const TFlagsList &) = delete;
    TFlagsList &operator=(const TFlagsList &) = delete;

    int Count() const { return int(Flags.size()); }
    void ClearFlags();
    // Appends an empty stream and returns it.
    QBuffer *NewFlag();
    // The stream at Index, positioned at its start. A position at or past the
    // end is created first, with empty streams for the positions before it.
    QBuffer *GetFlagStream(int Index);
    QBuffer *Flag(int Index) { return GetFlagStream(Index); }
    // True when the position exists and holds more than 10 bytes; shorter
    // streams count as no flag.
    bool Present(int FlagIndex) const;

private:
    std::vector<std::unique_ptr<QBuffer>> Flags;
};

} // namespace wordmill
