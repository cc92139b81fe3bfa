-- Presets database: settings shared by all projects. For VELOR the layouts of instrument
-- data files ("Elektronikvorgaben"): one header row per configuration and one row per value.
PRAGMA user_version = 1;

CREATE TABLE VELOR_VE1 (
    IDK     LONG NOT NULL,
    AKVK    TEXT COLLATE NOCASE,
    ZL      SMALLINT,
    DATUM   TEXT COLLATE NOCASE,
    UHRZEIT TEXT,
    KENZ1NR TEXT COLLATE NOCASE,
    KENZ1KZ TEXT COLLATE NOCASE,
    TZS     TEXT COLLATE NOCASE,
    TZZ     TEXT COLLATE NOCASE
);
CREATE INDEX VELOR_VE1_IDK ON VELOR_VE1 (IDK);
CREATE INDEX VELOR_VE1_AKVK ON VELOR_VE1 (AKVK);

CREATE TABLE VELOR_VE2 (
    IDK      LONG NOT NULL,
    MNR      SMALLINT,
    SPALTE   TEXT COLLATE NOCASE,
    POSITION SMALLINT,
    PRAEFIX  TEXT COLLATE NOCASE,
    SUFFIX   TEXT COLLATE NOCASE,
    FAKTOR   SINGLE,
    FORMAT   TEXT
);
CREATE INDEX VELOR_VE2_KEY ON VELOR_VE2 (IDK, MNR);

-- A sample configuration to start from: a data logger writing one cycle per line after a
-- line with "DATEN", values separated by ";": date (2003-05-17), time (103005), pressure
-- with a leading "P=", temperature with a trailing "C" and a force in newtons shown in kN.
INSERT INTO VELOR_VE1 (IDK, AKVK, ZL, DATUM, UHRZEIT, KENZ1NR, KENZ1KZ, TZS, TZZ)
VALUES (100, 'Beispiel Datenlogger', 5, 'JJJJ-MM-TT', 'hhmmss', NULL, 'DATEN', ';', NULL);
INSERT INTO VELOR_VE2 (IDK, MNR, SPALTE, POSITION, PRAEFIX, SUFFIX, FAKTOR, FORMAT) VALUES
    (100, 1, 'DAT', 0, NULL, NULL, 1, NULL),
    (100, 2, 'ZEIT', 1, NULL, NULL, 1, NULL),
    (100, 3, 'P', 2, 'P=', NULL, 1, '0.000'),
    (100, 4, 'T', 3, NULL, 'C', 1, '0.0'),
    (100, 5, 'K', 4, NULL, NULL, 0.001, '0.000');
