#include "typingdeskport.h"

namespace kf {

namespace {

TypingDeskFactory& Factory()
{
    static TypingDeskFactory factory;
    return factory;
}

} // namespace

void SetTypingDeskFactory(TypingDeskFactory factory)
{
    Factory() = std::move(factory);
}

const TypingDeskFactory& GetTypingDeskFactory()
{
    return Factory();
}

} // namespace kf
