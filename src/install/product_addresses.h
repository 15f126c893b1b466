#pragma once
// The addresses on the product web site that the setup opens or registers;
// its host is set once, in product_site.h.
#include "product_site.h"

inline constexpr char kProductHomePage[] = PTV_SITE_HOME;
// The page after an upgrade, and after a new installation without a query.
inline constexpr char kInstalledPage[] = PTV_SITE_HOME "/pvst/installed.asp";
// The page after a new installation, followed by the query of HomePage.url.
inline constexpr char kInstallScriptPage[] = PTV_SITE_HOME "/pvst/InstScript.asp";
