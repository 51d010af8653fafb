#include "ui/led_layout.h"

namespace {

constexpr int kLargestLampSize = 6;

// Half of a length, rounded half up and then truncated toward zero, as a double would give.
int RoundedHalf(int length) {
    return static_cast<int>(length * 0.5 + 0.5);
}

}  // namespace

void LedLayout::PlaceAtSubclass(const LayoutRect& client, bool centerVert) {
    m_nLampSize = static_cast<int>(client.bottom * 0.5) - 5;
    if (m_nLampSize > kLargestLampSize) m_nLampSize = kLargestLampSize;
    m_nLampX = client.left + m_nLampSize + 1;
    m_nLampY =
        centerVert ? client.top + RoundedHalf(client.Height()) : client.top + m_nLampSize + 1;
}

void LedLayout::PlaceForFrame(int frameWidth, int frameHeight) {
    m_nLampX = 1;
    m_nLampY -= frameHeight / 2;
    if (m_nTextIndent < frameWidth) m_nTextIndent = frameWidth + 5;
}

LayoutRect LedLayout::CaptionArea(const LayoutRect& client) const {
    LayoutRect area = client;
    area.left += m_nTextIndent;
    area.right -= 2;
    return area;
}

LayoutRect LedLayout::CaptionRect(const LayoutRect& client, LayoutRect measured) {
    const int height = measured.Height();
    measured.top = client.top + RoundedHalf(client.Height() - height);
    measured.bottom = measured.top + height;
    return measured;
}
