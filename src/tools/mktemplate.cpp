// Writes a fresh template data file: tillbrook_mktemplate <path>
#include "core/base/tillbrookerror.h"
#include "core/datafile/schema.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tillbrook_mktemplate <path>\n");
        return 2;
    }
    try {
        Schema::createTemplate(QString::fromLocal8Bit(argv[1]));
    } catch (const TillbrookError &error) {
        std::fprintf(stderr, "tillbrook_mktemplate: %s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
