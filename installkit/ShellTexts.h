#pragma once
// Texts of the shared installer shell, exactly as the programs show them.
// Compiled as code page 1252.

inline constexpr char kMainClassName[] = "VeltraClass";
inline constexpr char kProgressClassName[] = "(De)InstallWndclass";
inline constexpr char kProgressTitle[] = "VELTRA (De)Install 1.0";
inline constexpr char kRegisterClassFailed[] = "Can not Register Class";
inline constexpr char kConfirmExitText[] = "¿Usted desea termino el programa?";
inline constexpr char kConfirmExitCaption[] = "Termina el programa";
inline constexpr char kContinueCaption[] = "Continuar";
inline constexpr char kQuitCaption[] = "Termino";
inline constexpr char kLogFileName[] = "Install.log";
