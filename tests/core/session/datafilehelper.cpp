// A second Tillbrook process for the lock tests.
//   hold <path>   connects the data file, prints "ready" and keeps it until stdin closes
//   probe <path>  prints "locked" or "free" as IsFileLocked sees the file
#include "core/datafile/datamodule.h"
#include "core/datafile/filelock.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const std::string mode = argv[1];
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (mode == "probe") {
        std::printf("%s\n", IsFileLocked(path) ? "locked" : "free");
        return 0;
    }
    if (mode == "hold") {
        TMyDataModule db;
        try {
            db.open(path);
        } catch (...) {
            std::printf("failed\n");
            return 1;
        }
        std::printf("ready\n");
        std::fflush(stdout);
        std::string line;
        std::getline(std::cin, line);
        return 0;
    }
    return 2;
}
