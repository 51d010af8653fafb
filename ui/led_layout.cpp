#include "ui/led_layout.h"

namespace {

constexpr int kLargestLampSize = 6;

// Half of a length, rounded half up and then truncated toward zero, as a double would give.
int RoundedHalf(int length) {
    return static_cast<int>(length * 0.5 + 0.5);
}

}  // namespace

void LedLayout::PlaceAtSubclass(const LayoutRect& client, bool centerVert) {
    m_lampSize = static_cast<int>(client.bottom * 0.5) - 5;
    if (m_lampSize > kLargestLampSize) m_lampSize = kLargestLampSize;
    m_lampX = client.left + m_lampSize + 1;
    m_lampY = centerVert ? client.top + RoundedHalf(client.Height()) : client.top + m_lampSize + 1;
}

void LedLayout::PlaceForFrame(int frameWidth, int frameHeight) {
    m_lampX = 1;
    m_lampY -= frameHeight / 2;
    if (m_textIndent < frameWidth) m_textIndent = frameWidth + 5;
}

LayoutRect LedLayout::CaptionArea(const LayoutRect& client) const {
    LayoutRect area = client;
    area.left += m_textIndent;
    area.right -= 2;
    return area;
}

LayoutRect LedLayout::CaptionRect(const LayoutRect& client, LayoutRect measured) {
    const int height = measured.Height();
    measured.top = client.top + RoundedHalf(client.Height() - height);
    measured.bottom = measured.top + height;
    return measured;
}
