#pragma once
// The texts the conversion jobs and the tag editor show, word for word: the
// tests compare message boxes against these constants.

namespace jobtext {

inline constexpr wchar_t kNoDecoder[] = L"No hay instalado codec para decodificar mp3!";
inline constexpr wchar_t kNoEncoder[] = L"No hay instalado codec para la codificación mp3!";
inline constexpr wchar_t kCannotOpen[] = L"No podía abrir el fichero.";
inline constexpr wchar_t kCannotOpenBefore[] = L"No podía abrir el fichero (";
inline constexpr wchar_t kCannotOpenAfter[] = L").";
inline constexpr wchar_t kCannotCreate[] = L"No podía crear el fichero destino.";
inline constexpr wchar_t kNotWav[] = L"No un fichero válido de WAV.";
inline constexpr wchar_t kNotMp3[] = L"No un fichero válido de MP3.";
inline constexpr wchar_t kSameFile[] = L"El fichero de destino es el mismo que el fichero de fuente.";
inline constexpr wchar_t kCannotWrite[] = L"No podía escribir el fichero destino.";
// Followed by a blank and the name of the file that could not be read.
inline constexpr wchar_t kCannotRead[] = L"No podía leer el fichero.";
inline constexpr wchar_t kOutOfMemory[] = L"No hay memoria suficiente para la conversión.";

inline constexpr wchar_t kNoTag[] = L"Este fichero no contiene ninguna válida MP3-TAG información.";
inline constexpr wchar_t kCannotWriteTag[] = L"No podía escribir el fichero.";
inline constexpr wchar_t kTrackHidden[] =
    L"No puedo almacenar el número de la pista porque el comentario no es corto suficiente.";

} // namespace jobtext
