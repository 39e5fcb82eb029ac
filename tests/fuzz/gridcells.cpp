// The grid's own cell stream (the clipboard's private format) on any bytes: a block it reads
// lies within its bounds, and written and read again it gives the same stream.
#include <QGuiApplication>

#include <cstdlib>

#include "grid/editing/gridcellstream.h"
#include "tests/fuzz/fuzzsupport.h"

namespace {

// Pictures decode into pixmaps, which need an application.
void needApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "fuzz_gridcells";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    needApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TGridCellBlock block;
    if (!ReadGridCellStream(bytes, block))
        return 0;
    if (block.Cols < 1 || block.Rows < 1 || int(block.Widths.size()) != block.Cols ||
        int(block.Heights.size()) != block.Rows)
        std::abort();
    for (const TGridStreamCell& c : block.Cells) {
        if (c.Col < 0 || c.Col >= block.Cols || c.Row < 0 || c.Row >= block.Rows)
            std::abort();
        if (c.HasProp && (c.Col + c.Props.SpanX >= block.Cols || c.Row + c.Props.SpanY >= block.Rows))
            std::abort();
    }
    const QByteArray once = WriteGridCellStream(block);
    TGridCellBlock again;
    if (!ReadGridCellStream(once, again) || WriteGridCellStream(again) != once)
        std::abort();
    return 0;
}
