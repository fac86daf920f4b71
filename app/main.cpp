#include "app/CommandLine.h"
#include "app/WindowMain.h"

#include <climits>
#include <cstdio>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

/// The window module's path: it sits at the same place relative to the program in the build
/// folder and where it is installed.
std::string windowModulePath()
{
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return {};
    std::string folder(self, std::size_t(length));
    folder.erase(folder.rfind('/') + 1);
    return folder + GLYPHORA_WINDOW_MODULE;
}

int runWindow(int argc, char* argv[])
{
    const std::string path = windowModulePath();
    // Bound now: a module that lacks a symbol fails here with a message, not later mid-run.
    void* module = path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        std::fprintf(stderr, "glyphora: cannot load the window: %s\n",
                     path.empty() ? "the program's own path is unknown" : dlerror());
        return 1;
    }
    using Entry = int (*)(int, char*[]);
    const auto entry = reinterpret_cast<Entry>(dlsym(module, kWindowEntryName));
    if (!entry) {
        std::fprintf(stderr, "glyphora: cannot load the window: %s\n", dlerror());
        return 1;
    }
    // The module stays loaded to the end: Qt's exit handlers run code from it.
    return entry(argc, argv);
}

} // namespace

int main(int argc, char* argv[])
{
    // Commands, --help and --version end here, before anything needs a display or a bus.
    if (const std::optional<int> status = RunCommandLine(argc, argv))
        return *status;
    return runWindow(argc, argv);
}
