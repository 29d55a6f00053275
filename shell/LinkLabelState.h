#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/UrlOpener.h"

namespace tavrin::shell {

// A colour as Windows keeps it: 0x00BBGGRR.
using ColorRef = std::uint32_t;

inline constexpr ColorRef kLinkNormalColor = 0x00EE0000;  // RGB(0, 0, 238)
inline constexpr ColorRef kLinkOpenedColor = 0x008B1A55;  // RGB(85, 26, 139)

// A control's rectangle in its parent's client coordinates.
struct LabelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const LabelRect&) const = default;
};

enum class LabelAlignment { Left, Center, Right };

// The rectangle of a label shrunk (or grown) to a text of the given size. A left-aligned
// label keeps its left edge, a right-aligned one its right edge, and a centred one its centre,
// giving up half the difference on each side; a vertically centred label keeps its vertical
// centre the same way, any other its top. Halves are truncated toward zero, so an odd
// difference leaves the label one unit larger than its text.
LabelRect FitRectToText(LabelRect rect, int textWidth, int textHeight, LabelAlignment alignment,
                        bool centreVertically);

// What a hyperlink label knows and decides, free of its window: the target, whether the
// pointer is over it, whether the last open succeeded, and the colour that follows from them.
// The window reflects it: it captures the mouse while the pointer is over the label, repaints
// on every change, and reports a failed open.
class CLinkLabelState {
public:
    // `hoverColor` is the system's highlight colour, read once.
    explicit CLinkLabelState(ColorRef hoverColor);

    enum class PointerChange {
        None,
        Entered,  // take the capture and repaint
        Left,     // release the capture and repaint
    };

    // Attaching to the label's control, whose text is `windowText`: a label without a target
    // takes its text as target. Returns the text the control is to show: its own, or the
    // target when it has none.
    std::string Attach(std::string_view windowText);

    void SetTarget(std::string target) { m_strTarget = std::move(target); }
    const std::string& Target() const { return m_strTarget; }

    // A pointer move reported to the label. Any move enters; once over the label (and holding
    // the capture), only a move that reports a point outside its client area leaves.
    PointerChange OnMouseMove(bool insideClientArea);

    // A click: opens the target and remembers whether that succeeded. Returns the result
    // code; when it says the open failed (IsOpened false), the window beeps and shows
    // OpenErrorMessage of it.
    int OnLinkClicked(platform::IUrlOpener& opener);

    bool WasOpened() const { return m_bOpened; }

    // The text colour: hovering wins over opened, which wins over normal.
    ColorRef TextColor() const;

private:
    ColorRef m_crNormal = kLinkNormalColor;
    ColorRef m_crOpened = kLinkOpenedColor;
    ColorRef m_crHover;
    bool m_bHover = false;
    bool m_bOpened = false;
    std::string m_strTarget;
};

}  // namespace tavrin::shell
