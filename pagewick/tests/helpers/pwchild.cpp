// pwchild: the child program of the runner's tests.
//   pwchild silent            writes nothing
//   pwchild write N           writes N bytes to standard output in one write
//   pwchild stderr TEXT       writes TEXT to standard error
//   pwchild sleep MS          sleeps MS milliseconds
//   pwchild args FILE ...     writes every argument after FILE to FILE, each ended by NUL
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "silent";
    if (mode == "write" && argc > 2) {
        const std::string bytes(std::size_t(std::atoi(argv[2])), 'x');
        return ::write(1, bytes.data(), bytes.size()) == ssize_t(bytes.size()) ? 0 : 1;
    }
    if (mode == "stderr" && argc > 2)
        return ::write(2, argv[2], std::strlen(argv[2])) >= 0 ? 0 : 1;
    if (mode == "sleep" && argc > 2) {
        ::usleep(useconds_t(std::atoi(argv[2])) * 1000);
        return 0;
    }
    if (mode == "args" && argc > 2) {
        FILE* out = std::fopen(argv[2], "wb");
        if (!out)
            return 1;
        for (int i = 3; i < argc; ++i)
            std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, out);
        return std::fclose(out) == 0 ? 0 : 1;
    }
    return 0;
}
