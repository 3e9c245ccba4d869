#include "wing/messages.h"

#include <algorithm>
#include <iterator>

namespace velarix {

namespace {

// Texts, buttons and numbers are fixed; "\r" marks a line break.
constexpr MessageEntry kMessages[] = {
    {1, MessageButtons::Ok, "Achtung Bereichsüberschreitung.\rBitte nur Werte kleiner 100 m eingeben."},
    {2, MessageButtons::Ok, "Achtung Bereichsunterschreitung.\rBitte nur Werte größer 0.001 m eingeben."},
    {4, MessageButtons::Ok, "Achtung Bereichsüberschreitung.\rBitte nur Werte größer -89 Grad und kleiner 89 Grad eingeben."},
    {5, MessageButtons::YesNo, "Achtung die Flügeldaten wurden geändert, aber nicht gespeichert.\rSollen die Flügeldaten überschrieben werden ?"},
    {6, MessageButtons::YesNo, "Achtung die Flügeldaten wurden geändert aber nicht gespeichert.\rBeim Verlassen des Programmes gehen die Daten verloren.\rMöchten Sie das Programm trotzdem verlassen ?"},
    {8, MessageButtons::Ok, "Achtung Bereichsüberschreitung.\rBitte nur Werte von 0 bis 100 % eingeben."},
    {9, MessageButtons::Ok, "Achtung Bereichsunterschreitung.\rBitte nur Werte größer 0 eingeben."},
    {10, MessageButtons::Ok, "Achtung: Die Profile der Flügelenden können keinen Strak sein."},
    {14, MessageButtons::Ok, "Achtung: Die X-Koordinate der Flügelmitte \rkann nicht geändert werden."},
    {16, MessageButtons::Ok, "Achtung Bereichsüberschreitung.\rBitte nur Gruppennummern von 0 bis 99 eingeben."},
    {22, MessageButtons::Ok, "Achtung !\rBitte nur Werte <> 0."},
    {23, MessageButtons::Ok, "Die Eingabe des Stabilitätsmaßes 0 würde zu einem \rnicht vorhersagbaren Flugzustand führen.\rDer alte Wert wird wieder hergestellt."},
    {24, MessageButtons::Ok, "Achtung Bereichsüberschreitung.\rBitte nur Werte von 0 bis 25000 m eingeben."},
    {25, MessageButtons::Ok, "Eine Profile-Datei konnte nicht gefunden werden.\rVergewissern Sie sich , daß sich die in der Flügelkonstruktion \reingebauten Profil-Dateien in dem unter Einstellungen-Verzeichnisse \rangegebenen Pfad befinden."},
    {32, MessageButtons::Ok, "Falscheingabe: Bitte nur Werte > 0 eingeben."},
    {33, MessageButtons::Ok, "Falscheingabe: Bitte nur ungerade Zahlen zwischen 3 und 127 eingeben !"},
    {34, MessageButtons::Ok, "In das Feld Klappenlänge wurde ein falscher Wert eingetragen !\rBitte nur Prozenwerte zwischen 0% und 100% eingeben ."},
    {35, MessageButtons::Ok, "In das Feld Ausschlagwinkel wurde ein falscher Wert eingetragen !\rBitte nur Winkelwerte zwischen -89 und 98 Grad eingeben ."},
    {37, MessageButtons::Ok, "In das Feld erster Anstellwinkel wurde ein falscher Wert eingetragen !\rBitte nur Winkelwerte zwischen -89 und 98 Grad eingeben ."},
    {38, MessageButtons::Ok, "In das Feld letzter Anstellwinkel wurde ein falscher Wert eingetragen !\rBitte nur Winkelwerte zwischen -89 und 98 Grad eingeben .\rDer letzte Anstellwinkel muß > dem ersten Anstellwinkel sein ."},
    {39, MessageButtons::Ok, "In das Feld Schrittweite wurde ein falscher Wert eingetragen !\rBitte nur Zahlenwerte > 0.1 eingeben .\rMinimale Schrittweite 0.1 ."},
    {40, MessageButtons::Ok, "Es sind keine Rezahlen eingetragen !"},
    {41, MessageButtons::Ok, "Die max. Anzahl der Anstellwinkel überschreitet den Wert von 255 !"},
    {42, MessageButtons::Ok, "Es wurde kein Profil gewählt !"},
    {43, MessageButtons::Ok, "In das Feld Re-Zahlen wurden falsche Werte eingetragen !\rBitte nur Zahlenwerte >= 1000 eingeben z.B. \r1000 , 10000 , 50000 , 100000 , 200000 usw. "},
    {44, MessageButtons::Ok, "Seit der Velarixversion V2.15 sind in den Flügeldateien die \rProfilkoordinaten der Knickstellen integriert !\rDie gewählte Flügeldatei entspricht nicht dem aktuellen Format und \rund wird nun umkodiert ."},
};

}  // namespace

std::optional<MessageEntry> findMessage(int number) {
  const auto it = std::find_if(std::begin(kMessages), std::end(kMessages),
                               [number](const MessageEntry& m) { return m.number == number; });
  if (it == std::end(kMessages)) return std::nullopt;
  return *it;
}

const MessageEntry* messageTableBegin() { return std::begin(kMessages); }
const MessageEntry* messageTableEnd() { return std::end(kMessages); }

}  // namespace velarix
