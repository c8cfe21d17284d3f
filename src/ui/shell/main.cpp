// zelmora: the window. zelmora [PROYECTO] [--capture] [--lang es|en] [--help] [--version]
#include "render/software_gl_heap.h"
#include "ui/shell/zelmora_app.h"

int main(int argc, char** argv)
{
    const int status = HandleCommandLineAlone(argc, argv);
    if (status >= 0)
        return status;
    KeepHeapForSoftwareGl();
    CZelmoraApp app(argc, argv);
    if (!app.InitInstance())
        return 1;
    return app.exec();
}
