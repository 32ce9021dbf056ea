#pragma once
// Every text the converter's windows show, in one place.

namespace ui::texts {

inline constexpr const wchar_t* ApplicationTitle = L"VELTRA Sonaris";
inline constexpr const wchar_t* MainCaption = L"VELTRA Sonaris 1.0";
inline constexpr const wchar_t* WebAddress = L"https://veltra.example/";

inline constexpr const wchar_t* TabMp3Wav = L"MP3->WAV convertidor";
inline constexpr const wchar_t* TabWavMp3 = L"WAV->MP3 convertidor";
inline constexpr const wchar_t* TabWavWav = L"WAV->WAV convertidor";
inline constexpr const wchar_t* TabTagEditor = L"MP3 ID3-Tag V1.1 Editor";
inline constexpr const wchar_t* SubTabSingle = L"Solo fichero";
inline constexpr const wchar_t* SubTabBatch = L"Tratamiento por lotes";

inline constexpr const wchar_t* HeaderMp3Wav = L"MP3->WAV - selecto los ficheros y clic de \"Ir!\"";
inline constexpr const wchar_t* HeaderWavMp3 = L"WAV->MP3 - selecto los ficheros y clic de \"Ir!\"";
inline constexpr const wchar_t* HeaderWavWav = L"WAV->WAV - selecto los ficheros y clic de \"Ir!\"";
inline constexpr const wchar_t* HeaderTagEditor =
    L"MP3 ID3-Tag Editor - Abrir un fichero - cambie los datos - almacenar en un fichero MP3";
inline constexpr const wchar_t* ColumnMp3Wav = L"MP3->WAV convertidor";
inline constexpr const wchar_t* ColumnWavMp3 = L"WAV->MP3 convertidor";
inline constexpr const wchar_t* ColumnWavWav = L"WAV->WAV convertidor";
inline constexpr const wchar_t* ColumnTagEditor = L"MP3 ID3-Tag V1.1 Editor";

inline constexpr const wchar_t* LabelMp3Source = L"Fichero MP3 de la fuente:";
inline constexpr const wchar_t* LabelWavDestination = L"Fichero WAV de la destino:";
inline constexpr const wchar_t* LabelWavSource = L"Fichero WAV de la fuente:";
inline constexpr const wchar_t* LabelMp3Destination = L"Fichero MP3 de la destino:";
inline constexpr const wchar_t* LabelFormat = L"Formato de la destino:";
inline constexpr const wchar_t* CdQuality = L"Mejora la calidad de sonido de los ficheros de destino hasta CD calidad";
inline constexpr const wchar_t* FilterMp3 = L"MP3 (*.mp3)\0*.mp3\0Todo (*.*)\0*.*\0";
inline constexpr const wchar_t* FilterWav = L"WAV (*.wav)\0*.wav\0Todo (*.*)\0*.*\0";
inline constexpr const wchar_t* FilterMp3Only = L"MP3\0*.mp3\0";
inline constexpr const wchar_t* FilterWavOnly = L"WAV\0*.wav\0";

inline constexpr const wchar_t* DestinationFolder = L"Directorio de la destino";
inline constexpr const wchar_t* WavBesideSource = L"Crear fichero WAV en el directorio del fichero de fuente";
inline constexpr const wchar_t* Mp3BesideSource = L"Crear fichero MP3 en el directorio del fichero de fuente";
inline constexpr const wchar_t* WavOwnFolder = L"Definir el directorio para los ficheros WAV";
inline constexpr const wchar_t* Mp3OwnFolder = L"Definir el directorio para los ficheros MP3";
inline constexpr const wchar_t* LabelDestinationFolder = L"Directorio de la destino:";
inline constexpr const wchar_t* AddFiles = L"Añadir...";
inline constexpr const wchar_t* DeleteFiles = L"Borrar";
inline constexpr const wchar_t* DeleteAllFiles = L"&Borrar todo";

inline constexpr const wchar_t* TagTitle = L"Título:";
inline constexpr const wchar_t* TagArtist = L"Interpretan:";
inline constexpr const wchar_t* TagAlbum = L"Album:";
inline constexpr const wchar_t* TagYear = L"Año:";
inline constexpr const wchar_t* TagGenre = L"Género:";
inline constexpr const wchar_t* TagComment = L"Comentario";
inline constexpr const wchar_t* TagTrack = L"Pista:";
inline constexpr const wchar_t* TagOpen = L"Abrir de un fichero MP3";
inline constexpr const wchar_t* TagSave = L"Almacenar en un fichero MP3...";

inline constexpr const wchar_t* GoPicture = L"¡Ir!";
inline constexpr const wchar_t* AboutPicture = L"Sobre";
inline constexpr const wchar_t* EndPicture = L"Termino";
inline constexpr const wchar_t* HintWeb = L"Visite el homepage de VELTRA...";
inline constexpr const wchar_t* HintAbout = L"A propósito del programa";
inline constexpr const wchar_t* HintEnd = L"Usted termina el programa con esto";

inline constexpr const wchar_t* CloseQuestion = L"Usted termina el programa con esto";
inline constexpr const wchar_t* CloseQuestionTitle = L"Termina el programa";
inline constexpr const wchar_t* InvalidFileName = L"Ungültiger Dateiname - %s";
inline constexpr const wchar_t* FolderNameTooLong =
    L"El nombre de la carpeta elegida es demasiado largo. Elija otra carpeta.";
inline constexpr const wchar_t* SelectionTooLong =
    L"Los nombres de los ficheros elegidos son demasiado largos. Elija menos ficheros de una vez.";

inline constexpr const wchar_t* AboutCaption = L"A propósito";
inline constexpr const wchar_t* AboutProduct = L"VELTRA Sonaris";
inline constexpr const wchar_t* AboutVersion = L"Versión 1.0.0.0";
inline constexpr const wchar_t* AboutLine1 = L"Convierte ficheros de sonido entre MP3 y WAV";
inline constexpr const wchar_t* AboutLine2 = L"con los codecs de audio instalados en Windows.";
inline constexpr const wchar_t* AboutPublished = L"Publicaión: 11 de febrero 2002";
inline constexpr const wchar_t* Ok = L"OK";

inline constexpr const wchar_t* StatusCaption = L"Estatus de la conversión...";
inline constexpr const wchar_t* StatusHeader = L"Convertido - esperar los resultados o clic de \"Anular\"";
inline constexpr const wchar_t* StatusCurrentFile = L"Actual fichero:";
inline constexpr const wchar_t* StatusTotal = L"Total:";
inline constexpr const wchar_t* StatusCancel = L"A&nular";
inline constexpr const wchar_t* MissingFileNames = L"Tiene usted elegir los ficheros de fuente y de destino primero!";
inline constexpr const wchar_t* ErrorTitle = L"Error";
inline constexpr const wchar_t* UnexpectedFailure = L"La conversión terminó por un error inesperado.";

inline constexpr const wchar_t* CommandLineUsage =
    L"Uso:\r\n"
    L"  converter.exe /mp3wav FUENTE.mp3 DESTINO.wav [/cd]\r\n"
    L"  converter.exe /wavmp3 FUENTE.wav DESTINO.mp3 [/format N]\r\n"
    L"  converter.exe /wavwav FUENTE.wav DESTINO.wav [/format N]\r\n"
    L"  converter.exe /mp3wav FUENTE.mp3 [FUENTE.mp3 ...] /dir DIRECTORIO [/cd]\r\n"
    L"  converter.exe /wavmp3 FUENTE.wav [FUENTE.wav ...] /dir DIRECTORIO [/format N]\r\n"
    L"  converter.exe /formats\r\n"
    L"/cd mejora la calidad de sonido hasta CD calidad.\r\n"
    L"/format N elige el formato N de la lista de /formats; sin /format vale el formato elegido en la ventana.\r\n"
    L"/dir crea los ficheros de destino en DIRECTORIO.\r\n"
    L"Sin argumentos se abre la ventana.";
// Followed by the number that was given.
inline constexpr const wchar_t* NoSuchFormat = L"No hay formato con el número";
inline constexpr const wchar_t* Mp3FormatsHeading = L"Formatos MP3 (/wavmp3):";
inline constexpr const wchar_t* WavFormatsHeading = L"Formatos WAV (/wavwav):";

} // namespace ui::texts
