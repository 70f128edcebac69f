// A later Tillbrook start for the single-instance test: prints "second" and ends when
// an instance with the key already runs, else "first".
#include "ui/app/singleinstance.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    std::printf("%s\n", instance.claim() ? "first" : "second");
    return 0;
}
