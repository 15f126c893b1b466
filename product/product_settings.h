#pragma once
// What the product keeps in the registry.
#include <string>

// Its settings under "SOFTWARE\Lumetra\Pictavo 6", for the user and, where
// it may write there, for the machine.
void KeepProductSettings(const std::string& document);

// Becomes the program that opens the image file types: "Ptav6.exe" in each
// type's "Application" value (the type's default value under
// HKEY_CLASSES_ROOT when the user's "FileExts" key can't be opened), the
// former choice kept beside it in "PtavOld"; and its document class
// "PV6.Document".
void TakeOverImageTypes();
