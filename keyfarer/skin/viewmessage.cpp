#include "skin/viewmessage.h"

#include <algorithm>

namespace kf {

void CViewMessage::SetMessage(std::u16string_view text, unsigned style)
{
    size_t length = std::min(text.size(), kMaxText);
    if (length < text.size() && length > 0 && text[length - 1] >= 0xD800 &&
        text[length - 1] < 0xDC00)
        --length; // keep a surrogate pair whole
    m_text.assign(text.substr(0, length));
    m_style = style;
}

std::vector<CViewMessage::Button> CViewMessage::ButtonsFor(unsigned style)
{
    switch (style & 0x0F) {
    case kMbOkCancel:
        return {{u"IDS_CT_OK", kIdOk}, {u"IDS_CT_CANCEL", kIdCancel}};
    case kMbAbortRetryIgnore:
        return {{u"IDS_CT_ABORT", kIdAbort},
                {u"IDS_CT_RETRY", kIdRetry},
                {u"IDS_CT_IGNORE", kIdIgnore}};
    case kMbYesNoCancel:
        return {{u"IDS_CT_YES", kIdYes}, {u"IDS_CT_NO", kIdNo}, {u"IDS_CT_CANCEL", kIdCancel}};
    case kMbYesNo:
        return {{u"IDS_CT_YES", kIdYes}, {u"IDS_CT_NO", kIdNo}};
    case kMbRetryCancel:
        return {{u"IDS_CT_RETRY", kIdRetry}, {u"IDS_CT_CANCEL", kIdCancel}};
    default:
        return {{u"IDS_CT_OK", kIdOk}};
    }
}

int CViewMessage::IconQuarter(unsigned style)
{
    const unsigned icon = (style >> 4) & 0x0F;
    return icon >= 1 && icon <= 4 ? int(icon) - 1 : -1;
}

int CViewMessage::CloseResult(unsigned style)
{
    switch (style & 0x0F) {
    case kMbOkCancel:
    case kMbYesNoCancel:
    case kMbRetryCancel:
        return kIdCancel;
    case kMbYesNo:
        return kIdNo;
    case kMbAbortRetryIgnore:
        return kIdAbort;
    default:
        return kIdOk;
    }
}

} // namespace kf
