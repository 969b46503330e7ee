#include "legend_entries.h"

namespace veltra {

using namespace Qt::StringLiterals;

const std::array<LegendEntry, kLegendEntryCount>& LegendTexts() {
    // Entries 7 and 11 share a heading on purpose: both explain the field
    // "Poz. pl w godz. 5-24", once as a count and once as a time. The texts
    // are kept exactly as the station's users know them, slips included.
    static const std::array<LegendEntry, kLegendEntryCount> entries{{
        {u"Wypełnianie tabelki Veltra"_s,
         u"Kolumna B (B10, B11, B12) -> Całkowity czas emisji\r"
         u"Kolumna C (C10, C11, C12) -> Deb. pl w godz. 5-24\r"
         u"Kolumna D (D10, D11, D12) -> Poz. pl w godz. 5-24\r"
         u"Kolumna E (E10, E11, E12) -> Polskie w godz. 24-5\r"
         u" \r"
         u"Przepisujemy wartości z kolumny \"Czasy\" wyliczone przez program."_s},
        {u"Niepełna informacja"_s,
         u"Nie została zaznaczona opcja \"Pełna informacja\" w programie Sonaril "
         u"(konfiguracja programu, zakładka HST). Wpis nie zawiera informacji o narodowości."_s},
        {u"Brak pola narodowość"_s,
         u"Pole narodowość w opisie nagrania lub na playliście nie zostało wypełnione."_s},
        {u"Całkowita ilość emisji"_s, u"Całkowita ilość emisji w zadanym przedziale."_s},
        {u"Ilość pozycji polskich"_s,
         u"Całkowita ilość emisji pozycji polskich w zadanym przedziale."_s},
        {u"Ilość emisji w godz. 5-24"_s,
         u"Całkowita ilość emisji w zadanym przedziale w godzinach od 5 do 24."_s},
        {u"Polskie w godz. 5-24"_s,
         u"Całkowita ilość emisji pozycji polskich w zadanym przedziale w godzinach od 5 do "
         u"24"_s},
        {u"Całkowity czas emisji"_s, u"Całkowity czas emisji pozycji muzycznych.1"_s},
        {u"Pozycje polskie"_s, u"Całkowity czas emisji polskich pozycji muzycznych."_s},
        {u"Czas emisji w g. 5-24"_s,
         u"Całkowity czas emisji pozycji muzycznych w godzinach od 5 do 24."_s},
        {u"Polskie w godz. 5-24"_s,
         u"Całkowity czas emisji pozycji muzycznych w języku polskim w godzinach od 5 do 24."_s},
        {u"Stosunek il. pl do reszty"_s,
         u"Stosunek ilości emisji pozycji w języku polskim w stosunku do całkowitej liczby "
         u"emisji pozycji muzycznych."_s},
        {u"Stos. il. pl do reszty 5-24"_s,
         u"Stosunek ilości emisji pozycji w języku polskim w stosunku do całkowitej liczby "
         u"emisji pozycji muzycznych w godzinach od 5 do 24."_s},
        {u"Czas polskich do reszty"_s,
         u"Stosunek czasu emisji pozycji w języku polskim w stosunku do czasu emisji pozycji "
         u"muzycznych."_s},
        {u"Czas pl do reszty g. 5-24"_s,
         u"Stosunek czasu emisji pozycji w języku polskim w stosunku do czasu emisji pozycji "
         u"muzycznych w godzinach od 5 do 24."_s},
        {u"Stosunek il. pl w g. 5-24 do całości"_s,
         u"Stosunek ilości emisji pozycji polskich w godzinach od 5 do 24 w stosunku do "
         u"całkowitej ilości emisji pozycji polskich."_s},
        {u"Stos. czasu pl w g. 5-24 do całości"_s,
         u"Stosunek czasu emisji pozycji polskich w godzinach od 5 do 24 w stosunku do "
         u"ogólnego czasu emisji pozycji polskich."_s},
    }};
    return entries;
}

}  // namespace veltra
