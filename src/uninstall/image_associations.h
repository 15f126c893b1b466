#pragma once
// Handing back the image file types that the product took over.

// The types, in the order they are handed back.
extern const char* const ImageExtensions[11];

// For every image type whose open-with choice names the product's program,
// puts back the choice the product replaced (or removes the product's one
// when it replaced none) and drops the record of the former choice. The
// current user's choices are used when the user has any (FileExts), else the
// types' default values under HKEY_CLASSES_ROOT. Types that name another
// program are left exactly as they are. true when any value changed.
bool RestoreImageAssociations();
