#pragma once
// What l3codecp.exe says, in one place.
namespace mp3codec::texts {

constexpr wchar_t kCaption[] = L"Instalación del códec MP3";
constexpr wchar_t kInstalled[] =
    L"El códec MP3 se ha instalado correctamente.\n\nLos programas que se abran a partir de ahora pueden "
    L"convertir entre MP3 y WAV.";
constexpr wchar_t kOldInUse[] = L"Un programa tenía cargado el códec anterior: se ha instalado el nuevo, y el "
                                L"anterior se ha apartado como\n";
constexpr wchar_t kOldDeletedAtRestart[] = L"\ny se borrará al reiniciar Windows.";
constexpr wchar_t kDamaged[] = L"No se pudo instalar el códec MP3: este programa está dañado y no contiene el códec.";
constexpr wchar_t kCopyFailed[] = L"No se pudo copiar el códec MP3 a la carpeta del sistema:\n";
constexpr wchar_t kRegisterFailed[] = L"No se pudo registrar el códec MP3 en el sistema.";
constexpr wchar_t kNeedsAdministrator[] = L"Ejecute este programa como administrador.";
constexpr wchar_t kSystemSays[] = L"Causa: ";

} // namespace mp3codec::texts
