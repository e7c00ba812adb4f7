#include "Cli.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return quillon::runCli(QCoreApplication::arguments(), std::cout, std::cerr);
}
