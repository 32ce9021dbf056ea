#pragma once
// A distribution folder of the test's own, with the installer pair and a log
// written for the case at hand, and runs of the two programs through their
// windows.
#include "InstallerDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace installer {

// The exact texts of the installer pair, as the user reads them.
inline const std::wstring kSetupDamagedText = L"El fichero Install.log es daña. ¡No puedo hacer la instalación!";
inline const std::wstring kSetupDamagedCaption = L"La desinstalación es termino";
inline const std::wstring kUninstallDamagedText = L"El fichero Install.log es daña. ¡No puedo hacer la desinstalación!";
inline const std::wstring kUninstallDamagedCaption = L"La desinstalación es termino!";
inline const std::wstring kInstalledText = L"La instalación es acabado. Un relanzar del sistema será necesario si el "
                                           L"codec para la codificación mp3 no fue instalado ya.";
inline const std::wstring kInstalledCaption = L"La instalación";
inline const std::wstring kUninstalledText = L"¡Tiene usted que borrar el directorio del programa!";
inline const std::wstring kUninstalledCaption = L"La desinstalación es acabado";
inline const std::wstring kConfirmUninstallText = L"¿Quere usted desinstalar el programa?";
inline const std::wstring kConfirmUninstallCaption = L"Desinstalar?";
inline std::wstring IncompleteInstallText(int notCopied, int listed) {
    return L"La instalación no es completa: " + std::to_wstring(notCopied) + L" de " + std::to_wstring(listed) +
           L" ficheros no se copiaron.";
}
inline std::wstring IncompleteUninstallText(int notDeleted) {
    return L"La desinstalación no es completa: " + std::to_wstring(notDeleted) + L" ficheros no se borraron.";
}
// The product line of LogDescription's logs, which names their entry in the list of installed programs.
inline const std::wstring kTestProduct = L"Prueba Veltra";

using Files = std::vector<std::pair<std::string, std::string>>;

struct ProgramRun {
    std::vector<MessageBoxSeen> boxes; // every message box, the closing one last
    DWORD exitCode = STILL_ACTIVE;
};

class InstallerTest : public testing::Test {
protected:
    void TearDown() override;

    // A fresh, empty folder for this test.
    std::wstring Folder(const std::wstring& name);
    // setup.exe, uninstall.exe, the log and payload files in a fresh source folder.
    void MakeDistribution(const LogDescription& log, const Files& files = {});
    // Removed again when the test ends.
    void ForgetAfterwards(const std::wstring& path) { cleanup_.push_back(path); }
    // A group that Program Manager creates during the test: its window is
    // closed and its Start Menu folder removed when the test ends.
    void ForgetGroupAfterwards(const std::string& groupName);

    // Runs setup from source_ into target (typed into its target field unless
    // empty), answering every box with OK, until it ends.
    ProgramRun Install(const std::wstring& target);
    ProgramRun Install(const std::wstring& setupExe, const std::wstring& target);
    // Runs the uninstaller, confirms with Yes, answers the closing box.
    ProgramRun Uninstall(const std::wstring& uninstallExe);

    std::wstring source_;

private:
    std::vector<std::wstring> cleanup_;
    std::vector<std::wstring> groups_;
};

} // namespace installer
