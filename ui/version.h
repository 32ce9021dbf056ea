#pragma once
// The converter's version, for its VERSIONINFO and its about window.
#define SONARIS_VERSION_MAJOR 1
#define SONARIS_VERSION_MINOR 0
#define SONARIS_VERSION_PATCH 0
#define SONARIS_VERSION_BUILD 0
#define SONARIS_VERSION_TEXT "1.0.0.0"
#define SONARIS_PRODUCT_NAME "VELTRA Sonaris"
#define SONARIS_COMPANY_NAME "VELTRA"
