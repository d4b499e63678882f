#pragma once

// The engine's fixed Norwegian messages (UTF-8, written with escapes to keep
// the source ASCII). The main window logs them as they are, so they must not
// change: other tools and users search logs for them.

namespace kvilbo::engine::msg {

// \xC3\xB8 = o-slash, \xC3\xA5 = a-ring, \xC3\x98 = O-slash, \xC3\x85 = A-ring.
inline constexpr const char *kNotFound = "OPENDATABASE->Database fil ikke funnet";
inline constexpr const char *kSharing =
    "OPENDATABASE->SHARING VIOLATION, Pr\xC3\xB8ver \xC3\xA5pne database eksklusivt til en "
    "allerede \xC3\xA5pen database i delt modus, g\xC3\xA5r ikke";
inline constexpr const char *kTooShort =
    "OPENDATABASE->Database fil mindre enn 32 tegn, kan umulig v\xC3\xA6re xbase fil";
inline constexpr const char *kUnknownType = "OPENDATABASE->Ukjent database type";
inline constexpr const char *kSizeMismatch =
    "OPENDATABASE->Filst\xC3\xB8rrelse avviker for mye i forhold til header, mulig feil i "
    "fil/ikke nettverksoppdatert?";
inline constexpr const char *kMemoMissingHead = "OPENDATABASE->Tilknyttet memofil ";
inline constexpr const char *kMemoMissingTail =
    " er ikke funnet, database er ikke \xC3\xA5pnet. Du kan tvinge programmet til \xC3\xA5 lage "
    "ny TOM editorfil hvis du er sikker du vet hva du gj\xC3\xB8r. Dette kan du velge p\xC3\xA5 "
    "innstillinger i databasekonfigurasjonen til Kvilbo.";
inline constexpr const char *kOpened = "xOPENDATABASE->Vellykket \xC3\xA5pning av databasefil";

// Damaged tables and memo files, refused or read safely.
inline constexpr const char *kNoTerminator =
    "OPENDATABASE->Feltbeskrivelsene mangler avslutning (0Dh), databasefilen er skadet";
inline constexpr const char *kTooManyFields =
    "OPENDATABASE->Databasefilen har flere enn 256 felter, kan ikke \xC3\xA5pnes";
inline constexpr const char *kBadRecLen =
    "OPENDATABASE->Postlengden i headeren stemmer ikke med feltlengdene, databasefilen er skadet";
inline constexpr const char *kBadHeadLen =
    "OPENDATABASE->Headerlengden er for liten for feltbeskrivelsene, databasefilen er skadet";
inline constexpr const char *kMemoBlockZero =
    "OPENDATABASE->Memofilen oppgir blokkst\xC3\xB8rrelse 0, bruker 512";
inline constexpr const char *kPackRecovered =
    "OPENDATABASE->Avbrutt pakking av databasen er fullf\xC3\xB8rt";
inline constexpr const char *kPackRecoveryFailed =
    "OPENDATABASE->Avbrutt pakking av databasen kunne ikke fullf\xC3\xB8res, se filene ";

inline constexpr const char *kWriteNoRecords =
    "WRITE->Ingen kort i database, umulig \xC3\xA5 skrive til kort";
inline constexpr const char *kWriteOutside =
    "WRITE->Kortet finnes ikke i databasen, umulig \xC3\xA5 skrive til kort";
inline constexpr const char *kDeleteOutside =
    "DELETE->Kortet finnes ikke i databasen, umulig \xC3\xA5 slette kort";

inline constexpr const char *kMemoReadBadField =
    "MEMOREAD->\xC3\x98nsket feltnr er 0 eller h\xC3\xB8yere enn antall felter i databasen";
inline constexpr const char *kMemoReadNotMemo =
    "MEMOREAD->Feltnr er ikke editor/memofelt eller bilde";
inline constexpr const char *kMemoReadZero =
    "MEMOREAD->Inget kort eller verdi - ingenting gj\xC3\xB8res, avslutter memoread (0-peker)";
inline constexpr const char *kMemoReadBeyond =
    "MEMOREAD->Peker alene g\xC3\xA5r til plass utenfor memofil, skriver 0, avslutter MEMOREAD";
inline constexpr const char *kMemoWriteEmpty =
    "MEMOWRITE->INGEN TEKST MOTTATT, LAGERER 0 I PEKER P\xC3\x85 FELTET";
inline constexpr const char *kMemoWriteNotMemo =
    "MEMOWRITE->Feltnr er ikke editor/memofelt, ingenting lagret";

inline constexpr const char *kClaimZombieHead = "TRANSACTIONSETTSTART->TransactionDateTime mer enn ";
inline constexpr const char *kClaimZombieTail =
    " sekunder - regnes som zombie/feil. P\xC3\xA5" "begynner nye transactions";
inline constexpr const char *kClaimRefused =
    "TRANSACTIONSETTSTART->Klarte ikke \xC3\xA5 sette Transaction etter 10 fors\xC3\xB8k. "
    "Pr\xC3\xB8v igjen seinere";

inline constexpr const char *kPackRenameHead = "PACK->Kunne ikke gi nytt navn til ";
inline constexpr const char *kPackRenameTail = ", tidligere filer er satt tilbake";

inline constexpr const char *kNoMemoOpen = "Ingen memofil \xC3\xA5pen";

} // namespace kvilbo::engine::msg
