#include "shell/LinkLabelState.h"

#include "shell/LinkTarget.h"

namespace tavrin::shell {

LabelRect FitRectToText(LabelRect rect, int textWidth, int textHeight, LabelAlignment alignment,
                        bool centreVertically) {
    if (centreVertically) {
        int d = (rect.bottom - rect.top - textHeight) / 2;
        rect.top += d;
        rect.bottom -= d;
    } else {
        rect.bottom = rect.top + textHeight;
    }
    switch (alignment) {
        case LabelAlignment::Center: {
            int d = (rect.right - rect.left - textWidth) / 2;
            rect.left += d;
            rect.right -= d;
            break;
        }
        case LabelAlignment::Right:
            rect.left = rect.right - textWidth;
            break;
        case LabelAlignment::Left:
            rect.right = rect.left + textWidth;
            break;
    }
    return rect;
}

CLinkLabelState::CLinkLabelState(ColorRef hoverColor) : m_crHover(hoverColor) {}

std::string CLinkLabelState::Attach(std::string_view windowText) {
    if (m_strTarget.empty()) {
        m_strTarget = windowText;
    }
    return windowText.empty() ? m_strTarget : std::string(windowText);
}

CLinkLabelState::PointerChange CLinkLabelState::OnMouseMove(bool insideClientArea) {
    if (!m_bHover) {
        m_bHover = true;
        return PointerChange::Entered;
    }
    if (!insideClientArea) {
        m_bHover = false;
        return PointerChange::Left;
    }
    return PointerChange::None;
}

int CLinkLabelState::OnLinkClicked(platform::IUrlOpener& opener) {
    int result = OpenTarget(opener, m_strTarget);
    m_bOpened = IsOpened(result);
    return result;
}

ColorRef CLinkLabelState::TextColor() const {
    if (m_bHover) {
        return m_crHover;
    }
    return m_bOpened ? m_crOpened : m_crNormal;
}

}  // namespace tavrin::shell
