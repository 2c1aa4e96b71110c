#pragma once

// The subcommand registry of kftool. A subcommand lives in its subsystem's folder
// (kftool_<name>.cpp, compiled into the kftool executable) and registers itself:
//
//     static int RunStrings(kf::tool::Args& args);
//     KF_TOOL_COMMAND("strings", "FILE KEY [DEFAULT]", RunStrings);
//
// Exit codes and output formats are part of each subcommand's contract with scripts.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace kf::tool {

// The arguments after the subcommand word, with small helpers for options.
class Args
{
public:
    explicit Args(std::vector<std::string> words) : m_words(std::move(words)) {}

    // Removes "--name VALUE" (or "--name=VALUE") and returns VALUE; nullopt when absent.
    // A name given without its value is reported as an error (see Error()).
    std::optional<std::string> TakeOption(const std::string& name);
    // Removes every "--name VALUE" and returns the values in order.
    std::vector<std::string> TakeOptions(const std::string& name);
    // Removes "--name" and returns whether it was there.
    bool TakeFlag(const std::string& name);
    // The words left after the options were taken, in order.
    const std::vector<std::string>& Positional() const { return m_words; }
    size_t Count() const { return m_words.size(); }
    const std::string& operator[](size_t i) const { return m_words[i]; }
    // A text describing the first misuse found by the Take* calls, or empty.
    const std::string& Error() const { return m_error; }
    // Fails with the error when an unknown "--option" is left among the positionals.
    bool CheckNoUnknownOptions();

private:
    std::vector<std::string> m_words;
    std::string m_error;
};

using CommandFn = int (*)(Args& args);

struct Command
{
    const char* name;   // first word after "kftool"; may hold a blank for two-word commands
    const char* usage;  // the argument synopsis shown by "kftool help"
    CommandFn run;
};

// Registers a command; used through KF_TOOL_COMMAND at namespace scope.
struct Registrar
{
    Registrar(const char* name, const char* usage, CommandFn run);
};

const std::vector<Command>& Commands();

// Prints "kftool: " + message + newline on stderr and returns the usage exit code 64.
int UsageError(const std::string& message);

} // namespace kf::tool

#define KF_TOOL_CONCAT2(a, b) a##b
#define KF_TOOL_CONCAT(a, b) KF_TOOL_CONCAT2(a, b)
#define KF_TOOL_COMMAND(name, usage, fn)                                                           \
    static const ::kf::tool::Registrar KF_TOOL_CONCAT(kf_tool_registrar_, __LINE__)(name, usage, fn)
