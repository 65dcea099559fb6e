#include "app/StartUp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int startUp = RunStartUp();
    if (startUp != 0)
        return startUp;
    FinishRun();
    return 0;
}
