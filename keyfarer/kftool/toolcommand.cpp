#include "toolcommand.h"

#include <cstdio>

namespace kf::tool {

namespace {
std::vector<Command>& Registry()
{
    static std::vector<Command> commands;
    return commands;
}
} // namespace

Registrar::Registrar(const char* name, const char* usage, CommandFn run)
{
    Registry().push_back(Command{name, usage, run});
}

const std::vector<Command>& Commands()
{
    return Registry();
}

std::optional<std::string> Args::TakeOption(const std::string& name)
{
    const std::string flag = "--" + name;
    for (size_t i = 0; i < m_words.size(); ++i) {
        if (m_words[i] == flag) {
            if (i + 1 >= m_words.size()) {
                if (m_error.empty())
                    m_error = "option " + flag + " needs a value";
                m_words.erase(m_words.begin() + static_cast<std::ptrdiff_t>(i));
                return std::nullopt;
            }
            std::string value = m_words[i + 1];
            m_words.erase(m_words.begin() + static_cast<std::ptrdiff_t>(i),
                          m_words.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            return value;
        }
        if (m_words[i].rfind(flag + "=", 0) == 0) {
            std::string value = m_words[i].substr(flag.size() + 1);
            m_words.erase(m_words.begin() + static_cast<std::ptrdiff_t>(i));
            return value;
        }
    }
    return std::nullopt;
}

std::vector<std::string> Args::TakeOptions(const std::string& name)
{
    std::vector<std::string> values;
    while (auto v = TakeOption(name))
        values.push_back(*v);
    return values;
}

bool Args::TakeFlag(const std::string& name)
{
    const std::string flag = "--" + name;
    for (size_t i = 0; i < m_words.size(); ++i) {
        if (m_words[i] == flag) {
            m_words.erase(m_words.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

bool Args::CheckNoUnknownOptions()
{
    for (const auto& w : m_words) {
        if (w.size() > 2 && w.rfind("--", 0) == 0) {
            if (m_error.empty())
                m_error = "unknown option " + w;
            return false;
        }
    }
    return m_error.empty();
}

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "kftool: %s\n", message.c_str());
    return 64;
}

} // namespace kf::tool
