#pragma once
// The uninstall program's own texts, exactly as it shows them (code page 1252).
#include <string>

inline constexpr char kUninstallCaption[] = "VELTRA Desinstal 2.0";
inline constexpr char kUninstallDamagedLogText[] = "El fichero Install.log es daña. ¡No puedo hacer la desinstalación!";
inline constexpr char kUninstallDamagedLogCaption[] = "La desinstalación es termino!";
inline constexpr char kDirectoryLabel[] = "Directorio:";
inline constexpr char kUninstallWaitText[] = "Desinstalar el programa... Esperar, por favor";
inline constexpr char kConfirmUninstallText[] = "¿Quere usted desinstalar el programa?";
inline constexpr char kConfirmUninstallCaption[] = "Desinstalar?";
inline constexpr char kUninstalledCaption[] = "La desinstalación es acabado";
inline constexpr char kUninstalledText[] = "¡Tiene usted que borrar el directorio del programa!";
inline constexpr char kSetupFileName[] = "setup.exe";
inline constexpr char kInstallationSourceText[] = "Este directorio es la fuente de la instalación; no se borra nada.";

inline std::string UninstallWelcome(const std::string& programName) {
    return "¡Bienvenido del programa de la desinstalación de " + programName + "!";
}

inline std::string UninstallNote(const std::string& programName) {
    return "El progrma de desinstalación borra \"" + programName + "\" del directorio de programa!";
}

inline std::string IncompleteUninstallText(unsigned notDeleted) {
    return "La desinstalación no es completa: " + std::to_string(notDeleted) + " ficheros no se borraron.";
}
