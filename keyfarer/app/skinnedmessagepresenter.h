#pragma once

// The presenter of the running program: the skinned message box drawn from the look.

#include "app/messagepresenter.h"

namespace kf {

class CControlAspect;

std::unique_ptr<MessagePresenter> MakeSkinnedMessagePresenter(const CControlAspect& look);

} // namespace kf
