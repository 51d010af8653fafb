#include "tests/e2e/lamp_reader.h"

#include <algorithm>
#include <string>

#include "base/handles.h"

namespace driver {
namespace {

constexpr int kFrame = 15;

std::string ProgramPath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program = path;
    return program.substr(0, program.find_last_of('\\') + 1) + "nimbrel.exe";
}

// A memory bitmap to copy pixels into and read them back.
class Pixels {
  public:
    Pixels(int width, int height)
        : m_dc(CreateCompatibleDC(nullptr)), m_bitmap(CreateBitmap(width, height, 1, 32, nullptr)) {
        m_previous = SelectObject(m_dc.get(), m_bitmap.get());
    }
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;
    ~Pixels() { SelectObject(m_dc.get(), m_previous); }
    HDC Dc() const { return m_dc.get(); }
    COLORREF At(int x, int y) const { return GetPixel(m_dc.get(), x, y); }

  private:
    OwnedDc m_dc;
    OwnedGdiObject m_bitmap;
    HGDIOBJ m_previous = nullptr;
};

// Both frames side by side, loaded as the program loads them.
bool LoadFrames(int bitmapId, Pixels& frames) {
    HMODULE program = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!program) return false;
    OwnedGdiObject bitmap(LoadImageA(program, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0,
                                     LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS));
    FreeLibrary(program);
    if (!bitmap) return false;
    OwnedDc source(CreateCompatibleDC(nullptr));
    HGDIOBJ previous = SelectObject(source.get(), bitmap.get());
    BitBlt(frames.Dc(), 0, 0, 2 * kFrame, kFrame, source.get(), 0, 0, SRCCOPY);
    SelectObject(source.get(), previous);
    return true;
}

// The lamp sits one pixel in from the left and is centered vertically, so its row depends on the
// height the dialog font gives the control: every row is tried. Only the part of the frame inside
// the control shows, and at least half of it must.
bool MatchesAt(const Pixels& screen, const Pixels& frames, int frame, SIZE client, int top) {
    const int rows = std::min(kFrame, static_cast<int>(client.cy) - top);
    const int columns = std::min(kFrame, static_cast<int>(client.cx) - 1);
    if (rows < kFrame / 2 || columns < kFrame / 2) return false;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
            if (screen.At(1 + x, top + y) != frames.At(frame * kFrame + x, y)) return false;
    return true;
}

bool Shows(const Pixels& screen, const Pixels& frames, int frame, SIZE client) {
    for (int top = 0; top < client.cy; ++top)
        if (MatchesAt(screen, frames, frame, client, top)) return true;
    return false;
}

}  // namespace

Lamp ReadLamp(HWND lamp, int bitmapId) {
    Pixels frames(2 * kFrame, kFrame);
    if (!LoadFrames(bitmapId, frames)) return Lamp::kNeither;
    RECT client{};
    GetClientRect(lamp, &client);
    const SIZE size{client.right, client.bottom};
    POINT corner{0, 0};
    ClientToScreen(lamp, &corner);
    Pixels screen(size.cx, size.cy);
    HDC display = GetDC(nullptr);
    BitBlt(screen.Dc(), 0, 0, size.cx, size.cy, display, corner.x, corner.y, SRCCOPY);
    ReleaseDC(nullptr, display);
    if (Shows(screen, frames, 1, size)) return Lamp::kLit;
    if (Shows(screen, frames, 0, size)) return Lamp::kUnlit;
    return Lamp::kNeither;
}

}  // namespace driver
