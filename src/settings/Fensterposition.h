#pragma once
// The placement of the store's owner window: maximized, aligned left or right, or position and
// size. Only a form's placement is kept.
#include "settings/Einstellungsdatei.h"

class TComponent;

void FensterpositionSpeichern(TComponent* owner, const TEinstellungsZugriff& z);
void FensterpositionLaden(TComponent* owner, const TEinstellungsZugriff& z);
