#include "child_process.h"

#include <windows.h>

#include <optional>

namespace veltra::testing {

namespace {

std::wstring Wide(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

// Quoted so that the child's CommandLineToArgvW gives the argument back.
std::wstring Quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    for (auto it = argument.begin();; ++it) {
        std::size_t backslashes = 0;
        while (it != argument.end() && *it == L'\\') {
            ++it;
            ++backslashes;
        }
        if (it == argument.end()) {
            quoted.append(backslashes * 2, L'\\');
            break;
        }
        if (*it == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        quoted.push_back(*it);
    }
    quoted.push_back(L'"');
    return quoted;
}

HANDLE OpenOutput(const std::filesystem::path& path) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileW(path.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::optional<std::wstring> Variable(const std::wstring& name) {
    const DWORD size = ::GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0) {
        return std::nullopt;
    }
    std::wstring value(size, L'\0');
    value.resize(::GetEnvironmentVariableW(name.c_str(), value.data(), size));
    return value;
}

}  // namespace

ChildProcess::ChildProcess(const ChildSetup& setup) {
    std::wstring commandLine = Quoted(setup.program.wstring());
    for (const std::string& argument : setup.arguments) {
        commandLine += L' ' + Quoted(Wide(argument));
    }
    const HANDLE out = OpenOutput(setup.outPath);
    const HANDLE err = OpenOutput(setup.errPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    // The child takes the environment as it is when it starts.
    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> previous;
    for (const auto& [name, value] : setup.environment) {
        previous.emplace_back(Wide(name), Variable(Wide(name)));
        ::SetEnvironmentVariableW(Wide(name).c_str(), Wide(value).c_str());
    }
    PROCESS_INFORMATION process{};
    // Wine on a busy machine now and then fails to start a process, which
    // says nothing of the program; it is tried again.
    bool started = false;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        if (attempt > 0) {
            ::Sleep(200);
        }
        started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   setup.workingFolder.wstring().c_str(), &startup, &process);
    }
    for (const auto& [name, value] : previous) {
        ::SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr);
    }
    ::CloseHandle(out);
    ::CloseHandle(err);
    if (started) {
        ::CloseHandle(process.hThread);
        handle_ = process.hProcess;
        id_ = static_cast<long>(process.dwProcessId);
    }
}

ChildProcess::~ChildProcess() {
    if (handle_ != nullptr && !waited_) {
        Kill();
        Wait();
    }
    if (handle_ != nullptr) {
        ::CloseHandle(handle_);
    }
}

void ChildProcess::Kill() {
    ::TerminateProcess(handle_, 1);
}

Ending ChildProcess::Wait() {
    waited_ = true;
    if (handle_ == nullptr) {
        return {127, 0};
    }
    ::WaitForSingleObject(handle_, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(handle_, &code);
    return {static_cast<int>(code), 0};
}

}  // namespace veltra::testing
