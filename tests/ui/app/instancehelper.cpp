// A later Tillbrook start for the single-instance tests: prints "second" and ends when
// an instance with the key already runs (handing it the file when one is named), else
// "first". Arguments: KEY [FILE].
#include "ui/app/singleinstance.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2 && argc != 3)
        return 2;
    SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    const QString file = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    std::printf("%s\n", instance.claim(file) ? "first" : "second");
    return 0;
}
