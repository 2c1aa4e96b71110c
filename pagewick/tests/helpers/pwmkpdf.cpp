// pwmkpdf OUT.pdf TEXT...: writes a PDF with one page per TEXT (for benchmarks and trials).
#include "testpdf.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: pwmkpdf OUT.pdf TEXT...\n");
        return 2;
    }
    return pw::test::WritePdf(argv[1], std::vector<std::string>(argv + 2, argv + argc)) ? 0 : 1;
}
