#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/handles.h"
#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/screen_capture.h"

// The running program at the screen's scale (the prefix's LogPixels; tests/e2e/scaling.sh runs
// these at 125, 150 and 200 %): every control inside its page and the window, every text
// inside its control, every image at its size for the scale.
namespace {

using namespace driver;

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int ExpectedDpi() {
    const char* dpi = std::getenv("NIMBREL_EXPECTED_DPI");
    return dpi ? std::atoi(dpi) : 96;
}

int Scaled(int pixels, int dpi) {
    return MulDiv(pixels, dpi, 96);
}

// Saves what the screen shows of a window as a 24-bit BMP, for the documentation's pictures.
void SaveWindowPicture(HWND window, const std::string& path) {
    const RECT rect = [&] {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    OwnedGdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    OwnedDc memory(CreateCompatibleDC(nullptr));
    if (!bitmap || !memory) return;
    HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    HDC screen = GetDC(nullptr);
    BitBlt(memory.get(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
    SelectObject(memory.get(), previous);
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    std::fwrite(&header, sizeof header, 1, file);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file);
    std::fwrite(bits, imageSize, 1, file);
    std::fclose(file);
}

std::string Describe(HWND control) {
    return ClassName(control) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" +
           Text(control) + "\"";
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectInside(const RECT& inner, const RECT& outer, const std::string& what) {
    EXPECT_TRUE(inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
                inner.bottom <= outer.bottom)
        << what;
}

std::vector<HWND> VisibleControls(HWND page) {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) controls.push_back(child);
    return controls;
}

// The pages' dialog font at the screen's scale, as the program's dialogs make it.
class DialogFont {
  public:
    explicit DialogFont(int dpi)
        : m_dc(CreateCompatibleDC(nullptr)),
          m_font(CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif")) {
        m_previous = SelectObject(m_dc.get(), m_font.get());
    }
    ~DialogFont() { SelectObject(m_dc.get(), m_previous); }
    DialogFont(const DialogFont&) = delete;
    DialogFont& operator=(const DialogFont&) = delete;

    // The text's extent as drawn into a room width pixels wide, with wrapping or on one line.
    SIZE Measure(const std::string& text, int width, bool wrap) const {
        RECT room{0, 0, width, 0};
        DrawTextA(m_dc.get(), text.c_str(), -1, &room,
                  DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
        return SIZE{room.right, room.bottom};
    }

  private:
    OwnedDc m_dc;
    OwnedGdiObject m_font;
    HGDIOBJ m_previous = nullptr;
};

class Scaling : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        settings::PutDword("FirstTime", 0);
        settings::PutString("URL1", "http://keep.example/");
    }
    void TearDown() override { settings::Clear(); }

    const int m_dpi = ScreenDpi();
    const COLORREF m_face = GetSysColor(COLOR_BTNFACE);
    DialogFont m_font{m_dpi};

    static bool IsLamp(int id) {
        return id == IDC_LED_ONLINE || id == IDC_LED_OFFLINE || id == IDC_LED_OFF;
    }

    // The size a button's icon is made for at 100 %.
    static int ButtonIconSize(int id, bool aboutPage) {
        return aboutPage && (id == IDC_CHECK_UPDATES || id == IDC_HELP_BUTTON) ? 16 : 32;
    }

    void ExpectTextFits(const std::string& text, SIZE room, bool wrap, const std::string& what) {
        if (text.empty()) return;
        const SIZE extent = m_font.Measure(text, room.cx, wrap);
        EXPECT_LE(extent.cx, room.cx) << what;
        EXPECT_LE(extent.cy, room.cy) << what;
    }

    // A picture's extent along one side: at most its size, at least three quarters of it (the
    // art leaves a margin), within what the control shows of it.
    static bool ExtentFits(LONG extent, int size, int shown) {
        return extent <= std::min(size, shown) && extent >= std::min(size * 3 / 4, shown);
    }
    static void ExpectExtent(LONG extent, int size, int shown, const std::string& what) {
        EXPECT_LE(extent, std::min(size, shown)) << what;
        EXPECT_GE(extent, std::min(size * 3 / 4, shown)) << what;
    }

    // The icon is drawn 3 pixels in from the left, vertically centered, beside the caption. The
    // edges and a focus rectangle lie within 5 pixels of the border: those rows and columns are
    // left out, which may cut a pixel or two off the icon.
    void ExpectButtonIcon(HWND button, int size) {
        const auto iconBox = [&](const Capture& shot) {
            return shot.Unlike(m_face, RECT{5, 5, 3 + size + 2, shot.Height() - 5});
        };
        const Capture shot = CaptureWhen(button, [&](const Capture& seen) {
            const RECT box = iconBox(seen);
            return ExtentFits(box.right - box.left, size, size) &&
                   ExtentFits(box.bottom - box.top, size, seen.Height() - 10);
        });
        const RECT box = iconBox(shot);
        const std::string what = Describe(button) + " icon of " + std::to_string(size);
        ExpectExtent(box.right - box.left, size, size, what);
        ExpectExtent(box.bottom - box.top, size, shot.Height() - 10, what);
    }

    // The lamp's ball, one pixel in from the left, on the face color.
    void ExpectLamp(HWND lamp, int size) {
        const auto ballBox = [&](const Capture& shot) {
            return shot.Unlike(m_face, RECT{0, 0, size + 2, shot.Height()});
        };
        const Capture shot = CaptureWhen(lamp, [&](const Capture& seen) {
            const RECT box = ballBox(seen);
            return box.left >= 1 && box.right <= 1 + size &&
                   ExtentFits(box.right - box.left, size, size) &&
                   ExtentFits(box.bottom - box.top, size, seen.Height());
        });
        const RECT box = ballBox(shot);
        const std::string what = Describe(lamp) + " lamp of " + std::to_string(size);
        EXPECT_GE(box.left, 1) << what;
        EXPECT_LE(box.right, 1 + size) << what;
        ExpectExtent(box.right - box.left, size, size, what);
        ExpectExtent(box.bottom - box.top, size, shot.Height(), what);
    }

    void CheckControl(HWND control, int iconSize, bool aboutPage) {
        const std::string what = Describe(control);
        RECT client{};
        GetClientRect(control, &client);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        const std::string kind = ClassName(control);
        const std::string text = Text(control);
        const int id = GetDlgCtrlID(control);
        if (kind == "Static") {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                const auto iconBox = [&](const Capture& seen) {
                    return seen.Unlike(m_face, RECT{0, 0, seen.Width(), seen.Height()});
                };
                const Capture shot = CaptureWhen(control, [&](const Capture& seen) {
                    const RECT box = iconBox(seen);
                    return box.right - box.left >= iconSize * 3 / 4 &&
                           box.bottom - box.top >= iconSize * 3 / 4;
                });
                const RECT box = iconBox(shot);
                EXPECT_EQ(iconSize, shot.Width()) << what;
                EXPECT_EQ(iconSize, shot.Height()) << what;
                EXPECT_GE(box.right - box.left, iconSize * 3 / 4) << what;
                EXPECT_GE(box.bottom - box.top, iconSize * 3 / 4) << what;
            } else {
                ExpectTextFits(text, SIZE{client.right, client.bottom}, true, what);
            }
            return;
        }
        if (kind != "Button") return;
        switch (style & BS_TYPEMASK) {
            case BS_GROUPBOX:
                ExpectTextFits(text, SIZE{client.right - Scaled(16, m_dpi), client.bottom}, false,
                               what);
                break;
            case BS_AUTOCHECKBOX:
            case BS_CHECKBOX:
                // The box and the gap after it.
                ExpectTextFits(text, SIZE{client.right - Scaled(17, m_dpi), client.bottom}, false,
                               what);
                break;
            case BS_OWNERDRAW:
                if (IsLamp(id)) {
                    ExpectLamp(control, Scaled(15, m_dpi));
                    ExpectTextFits(text, SIZE{client.right - Scaled(20, m_dpi) - 2, client.bottom},
                                   true, what);
                } else {
                    const int size = Scaled(ButtonIconSize(id, aboutPage), m_dpi);
                    ExpectButtonIcon(control, size);
                    // Right of the icon, inside the frame and the edge.
                    ExpectTextFits(text, SIZE{client.right - size - 3 - 3, client.bottom - 6},
                                   false, what);
                }
                break;
            default:  // push buttons: within the edges at the sides
                ExpectTextFits(text, SIZE{client.right - 4, client.bottom},
                               (style & BS_MULTILINE) != 0, what);
                break;
        }
    }

    void CheckPage(HWND main, int index) {
        HWND page = SelectPage(main, index);
        ASSERT_NE(nullptr, page) << "page " << index;
        UpdateWindow(page);
        Sleep(200);  // the page's first drawing
        const std::string name = "page " + std::to_string(index);
        ExpectInside(ScreenRect(page), ClientOnScreen(main), name + " in the window");
        ExpectInside(ScreenRect(page), ScreenRect(TabControl(main)), name + " in the tabs");
        for (HWND control : VisibleControls(page)) {
            SCOPED_TRACE(name + ": " + Describe(control));
            ExpectInside(ScreenRect(control), ClientOnScreen(page), "control in its page");
            CheckControl(control, Scaled(32, m_dpi), index == 2);
        }
        const char* folder = std::getenv("NIMBREL_SCALING_SHOTS");
        if (folder && *folder)
            SaveWindowPicture(main, std::string(folder) + "\\page-" + std::to_string(index) + "-" +
                                        std::to_string(m_dpi) + ".bmp");
    }
};

TEST_F(Scaling, EveryPageFitsItsControlsTextsAndImagesAtTheScreensScale) {
    ASSERT_EQ(ExpectedDpi(), m_dpi) << "the prefix's LogPixels did not take";
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    SetForegroundWindow(main);
    for (int page = 0; page < 3; ++page) CheckPage(main, page);
}

// The system moves the window to a monitor of another scale: the window takes the place the
// system suggests and draws its images for the new scale; back again, they are as before.
TEST_F(Scaling, AnotherMonitorsScaleTakesTheSuggestedPlaceAndRedrawsTheImages) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = SelectPage(main, 0);
    ASSERT_NE(nullptr, page);
    const RECT before = ScreenRect(main);
    const int other = m_dpi * 2;

    const RECT suggested{20, 30, 20 + (before.right - before.left) * 2,
                         30 + (before.bottom - before.top) * 2};
    SendDpiChanged(main, other, suggested);
    const RECT now = ScreenRect(main);
    EXPECT_TRUE(EqualRect(&suggested, &now));
    UpdateWindow(page);
    ExpectButtonIcon(GetDlgItem(page, IDC_STAY_ON), Scaled(32, other));
    ExpectLamp(GetDlgItem(page, IDC_LED_OFF), Scaled(15, other));

    SendDpiChanged(main, m_dpi, before);
    UpdateWindow(page);
    ExpectButtonIcon(GetDlgItem(page, IDC_STAY_ON), Scaled(32, m_dpi));
    ExpectLamp(GetDlgItem(page, IDC_LED_OFF), Scaled(15, m_dpi));
}

}  // namespace
