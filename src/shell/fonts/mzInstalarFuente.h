// Installs one font file shipped with the project: copies it into the system's fonts folder and
// adds it to the system's font table until the system restarts. Nothing goes to the registry.
//
// A file already in the fonts folder is never replaced (it may be another program's font, or
// this font in use); the font is registered all the same. Failures end a method quietly.
#pragma once

#include <string>

class mzInstalarFuente {
public:
    mzInstalarFuente();

    // The system's fonts folder without a trailing backslash; empty when the shell knows none.
    const std::string& DirectorioFuentesSistema() const noexcept { return fontsFolder_; }

    // The folder of the font file: stored trimmed, always ending with a backslash.
    const std::string& PathTTF() const noexcept { return pathTTF_; }
    void PathTTF(const std::string& value);
    // The font file's name without folder, stored trimmed.
    const std::string& FicheroTTF() const noexcept { return ficheroTTF_; }
    void FicheroTTF(const std::string& value);

    void Instalar();
    void Desinstalar(bool BorrarFichero);

private:
    std::string fontsFolder_;
    std::string pathTTF_;
    std::string ficheroTTF_;
};
