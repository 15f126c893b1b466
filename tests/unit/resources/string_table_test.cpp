#include <gtest/gtest.h>

#include "platform/ui.h"

namespace {

struct StringCase {
  unsigned id;
  const char* text;
};

// Every text exactly as the program shows it, misspellings included.
const StringCase kStrings[] = {
    {1, "1 instance of Pictavo is currently opened. If you click \"Yes\" button, SETUP will try to close it "
        "without saving any editing work you may have done. \n\nContinue installation?"},
    {2, "Pictavo Setup"},
    {3, "Setup of Pictavo aborted. Please close other instances of Pictavo manually, saving any editing work you "
        "have done in them, then restart this setup program."},
    {4, "%d instances of Pictavo are currently opened. ff you click \"Yes\" button, SETUP will try to close them "
        "without saving any editing work you may have done. \n\nContinue installation?"},
    {6, "This will completely uninstall Pictavo 6.\nDo you want to continue?"},
    {7, "Please accept the License Agreement"},
    {8, "&Finish >"},
    {9, "Pictavo 6 has been successfully installed."},
    {10, "Press the Finish button to exit this installation."},
    {11, "Do you really want to cancel Pictavo setup?"},
    {12, "Select the folder where where Pictavo should be installed."},
    {13, "You have entered and invalid folder name. Please correct.\nIf you want to create a new folder, select its "
         "parent folder in the list and click \"Make New Foilder\" button."},
    {14, "Pictavo ver. 6 can not be installed into the same folder where the old version 4 or 5 is installed. "
         "Please select a different folder."},
    {15, "Pictavo 6"},
    {16, "Pictavo v. %d.%02d.%02d.%02d is already installed on this machine. You are trying to install an older "
         "version %d.%02d.%02d.%02d .\n\nDo you still want to continue?"},
    {17, "Pictavo ver. %d.%02d.%02d.%02d is already installed on this machine.\n\nWould you like to run this setup "
         "again to select different options or repair the files?"},
    {18, "This setup files are damaged, installation aborted.\n\nPlease download the product again from "
         "http://www.lumetra.com and re-try the setup."},
    {19, "This folder already contains a previous copy of Pictavo 6. To upgrade or re-install that copy, please do "
         "not change the destination folder."},
    {20, "Pictavo 6 has been completely uninstalled from this computer."},
    {21, "Yes"},
    {22, "No"},
    {23, "Error: Please enter a valid group name, minimum 3 letters"},
    {24, "Error: Can not install shortcuts into this group, please select a different name."},
    {101, "Pictavo 6 Help"},
    {102, "Read about Pictavo 6"},
    {104, "Uninstall Pictavo 6"},
    {90, "The interactive setup of Pictavo 6 is not available yet; nothing has been installed.\n\nTo install "
         "Pictavo 6, run this setup again with the option -s for a silent installation."},
    {57344, "Pictavo Setup"},
};

TEST(StringTable, HoldsEveryTextExactly) {
  for (const StringCase& c : kStrings) EXPECT_EQ(platform::LoadResourceString(c.id), c.text) << "string " << c.id;
}

TEST(StringTable, IdsWithoutAStringLoadEmpty) {
  for (unsigned id : {0u, 5u, 25u, 100u, 103u, 57345u}) EXPECT_EQ(platform::LoadResourceString(id), "") << id;
}

}  // namespace
