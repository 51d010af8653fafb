#include "tests/e2e/lamp_reader.h"

#include <algorithm>
#include <string>

#include "framework/handles.h"

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
        : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateBitmap(width, height, 1, 32, nullptr)) {
        previous_ = SelectObject(dc_.get(), bitmap_.get());
    }
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;
    ~Pixels() { SelectObject(dc_.get(), previous_); }
    HDC Dc() const { return dc_.get(); }
    COLORREF At(int x, int y) const { return GetPixel(dc_.get(), x, y); }

  private:
    OwnedDc dc_;
    OwnedGdiObject bitmap_;
    HGDIOBJ previous_ = nullptr;
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

// Only the part of the frame inside the control shows: Wine's dialog font makes the controls
// 15 pixels high, one less than the lamp needs.
bool Matches(const Pixels& screen, const Pixels& frames, int frame, SIZE shown) {
    for (int y = 0; y < shown.cy; ++y)
        for (int x = 0; x < shown.cx; ++x)
            if (screen.At(x, y) != frames.At(frame * kFrame + x, y)) return false;
    return true;
}

}  // namespace

Lamp ReadLamp(HWND lamp, int bitmapId) {
    Pixels frames(2 * kFrame, kFrame);
    if (!LoadFrames(bitmapId, frames)) return Lamp::kNeither;
    POINT corner{1, 1};
    ClientToScreen(lamp, &corner);
    Pixels screen(kFrame, kFrame);
    HDC display = GetDC(nullptr);
    BitBlt(screen.Dc(), 0, 0, kFrame, kFrame, display, corner.x, corner.y, SRCCOPY);
    ReleaseDC(nullptr, display);
    RECT client{};
    GetClientRect(lamp, &client);
    const SIZE shown{std::min<LONG>(kFrame, client.right - 1),
                     std::min<LONG>(kFrame, client.bottom - 1)};
    if (Matches(screen, frames, 1, shown)) return Lamp::kLit;
    if (Matches(screen, frames, 0, shown)) return Lamp::kUnlit;
    return Lamp::kNeither;
}

}  // namespace driver
