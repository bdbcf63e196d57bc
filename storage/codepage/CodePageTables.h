#pragma once

namespace ergotab::codepage {

extern const char16_t cp1250Upper[128];
extern const char16_t cp1252Upper[128];
extern const char16_t cp852Upper[128];
extern const char16_t cp867Upper[128];
extern const char16_t cp437Upper[128];
extern const char16_t cp850Upper[128];
extern const char16_t cp866Upper[128];
extern const char16_t cp1251Upper[128];

} // namespace ergotab::codepage
