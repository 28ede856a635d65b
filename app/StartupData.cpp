#include "app/StartupData.h"

char AppTitle[AppTextLength] = "";
char AppClassName[AppTextLength] = "";
HINSTANCE ModuleInstance = nullptr;
std::vector<std::string> PictureList;
bool StartupUnderWay = false;
bool OptionsHeld = false;
