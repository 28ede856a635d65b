#include "app/StartupData.h"

char AppTitle[AppTextLength] = "";
char AppClassName[AppTextLength] = "";
HINSTANCE ModuleInstance = nullptr;
std::vector<std::string> PictureList;
std::string ListFolder;
int ListSubfolders = 0;
bool StartupUnderWay = false;
bool OptionsHeld = false;
