#pragma once
// The converter's design-time data of its four conversion streams, built into
// the test program.
#include <string>

const std::string& StoredComponentsText();
