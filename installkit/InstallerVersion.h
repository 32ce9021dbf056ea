#pragma once
// One version for both installer programs; their resource files read it.
#define INSTALLER_VERSION_NUMBERS 2, 0, 0, 0
#define INSTALLER_VERSION_TEXT "2.0.0.0"
#define INSTALLER_COMPANY "VELTRA"
#define INSTALLER_PRODUCT "VELTRA (De)Install"
