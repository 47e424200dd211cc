#pragma once
// The column layout of a data browser panel's grid: written beside the settings file and into
// the store's section on every save, never read back.
#include "settings/Einstellungsdatei.h"

// The grid's part of it.
class IkivGitter {
public:
    virtual ~IkivGitter() = default;
    virtual String GridName() const = 0;
    virtual int ColumnCount() const = 0;
    virtual int ColumnWidth(int spalte) const = 0;
    virtual bool ColumnVisible(int spalte) const = 0;
    // Writes the column definitions in the grid's own form; a failure raises the file system's error.
    virtual void SpaltenSpeichern(const String& datei) const = 0;
};

// <folder of the settings file><its name without extension>_<prefix>_<grid name or "grid">.dat
String GitterlayoutDatei(const String& iniDatei, const String& praefix, const String& gridName);

// Into the save's document; the section is the class of the store's owner window (a key is never
// empty, so an owner that is no window gets none).
void GitterlayoutSpeichern(const TEinstellungsZugriff& z, const IkivGitter& gitter, const String& praefix = L"");
