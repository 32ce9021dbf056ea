#pragma once
// The setup program's own texts, exactly as it shows them (code page 1252).
#include <string>

inline constexpr char kSetupCaption[] = "VELTRA Instal 2.0";
inline constexpr char kSetupDamagedLogText[] = "El fichero Install.log es daña. ¡No puedo hacer la instalación!";
inline constexpr char kSetupDamagedLogCaption[] = "La desinstalación es termino";
inline constexpr char kSourceLabel[] = "Fuente:";
inline constexpr char kTargetLabel[] = "Destino:";
inline constexpr char kInvalidDirectoryText[] = "El directorio no es válido.";
inline constexpr char kUninstallerNote[] = "El programa tiene un programa de la desinstalación.";
inline constexpr char kInstallWaitText[] = "Instalar el programa... Esperar, por favor";
inline constexpr char kCodecFailedCaption[] = "dd";
inline constexpr char kInstalledCaption[] = "La instalación";
inline constexpr char kInstalledText[] =
    "La instalación es acabado. Un relanzar del sistema será necesario si el codec "
    "para la codificación mp3 no fue instalado ya.";

inline std::string SetupWelcome(const std::string& programName) {
    return "¡Bienvenido del programa de la instalación de " + programName + " !";
}

inline std::string CopyingStatus(const std::string& source) { return "Para hacer una copia de " + source + " ..."; }

inline std::string CopyFailedText(const std::string& source, const std::string& target) {
    return "¡No poder copiar de fichero \r\n" + source + "\r\n a \r\n" + target + " !";
}

inline std::string IncompleteInstallText(unsigned notCopied, unsigned listed) {
    return "La instalación no es completa: " + std::to_string(notCopied) + " de " + std::to_string(listed) +
           " ficheros no se copiaron.";
}
