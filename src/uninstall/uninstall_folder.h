#pragma once
// Removing one installation of the product.
#include <string>

// Removes the installation in `folder` (which ends with a backslash): the
// product's registry keys, its hold on the image file types, what the
// uninstall logs list, the log, the folder itself when nothing else is left
// in it, and the shortcuts and program group under their default names for
// all users and for every user whose hive is loaded. Asks and shows
// nothing; every step is tried whatever became of the steps before it.
void UninstallFolder(const std::string& folder);
