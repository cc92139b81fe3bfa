-- Empty project database of VELOR. Every table that holds a record's data has the record
-- ID as its first column. Records are copied between projects column by column by name.
-- Declared types name the original column types: LONG (32-bit), SMALLINT (16-bit), SINGLE,
-- DOUBLE, TEXT, BOOLEAN, DATETIME. Text compares without regard to case.
-- The user version counts the schema's editions: a project of an older edition gets the
-- tables it lacks when its working copy is opened (tables are only ever added).
PRAGMA user_version = 2;

CREATE TABLE E1 (
    ID   LONG NOT NULL,
    KEN  TEXT COLLATE NOCASE,
    KOM  TEXT COLLATE NOCASE,
    AKT  BOOLEAN NOT NULL DEFAULT 0
);
CREATE INDEX E1_ID ON E1 (ID);
CREATE INDEX E1_KEN ON E1 (KEN);

CREATE TABLE A1 (
    ID    LONG NOT NULL,
    BONEU BOOLEAN NOT NULL DEFAULT 0
);
CREATE INDEX A1_ID ON A1 (ID);

CREATE TABLE E2 (
    ID   LONG NOT NULL,
    LOGX SMALLINT,
    LOGY SMALLINT,
    OX   SMALLINT,
    OY   SMALLINT,
    XMIN SINGLE,
    XMAX SINGLE,
    YMIN SINGLE,
    YMAX SINGLE,
    MYMX SINGLE
);
CREATE INDEX E2_ID ON E2 (ID);

CREATE TABLE E3 (
    ID     LONG NOT NULL,
    POLYNR SMALLINT,
    PKTNR  SMALLINT,
    GRUPPE TEXT COLLATE NOCASE,
    PX     SINGLE,
    PY     SINGLE
);
CREATE INDEX E3_KEY ON E3 (ID, POLYNR, PKTNR);

CREATE TABLE G0 (
    ID       LONG NOT NULL,
    IDOBJEKT SMALLINT,
    OX       SMALLINT,
    OY       SMALLINT,
    RL       SINGLE,
    RR       SINGLE,
    RO       SINGLE,
    RU       SINGLE,
    XMIN     SINGLE,
    XMAX     SINGLE,
    YMIN     SINGLE,
    YMAX     SINGLE,
    MX       SINGLE,
    MY       SINGLE,
    MYMX     SINGLE,
    MSP      SINGLE
);
CREATE INDEX G0_KEY ON G0 (ID, IDOBJEKT);

CREATE TABLE G2_1 (
    ID       LONG NOT NULL,
    IDOBJEKT SMALLINT,
    LFDNR    SMALLINT,
    KEN      SMALLINT,
    TXT      TEXT COLLATE NOCASE
);
CREATE INDEX G2_1_KEY ON G2_1 (ID, IDOBJEKT, LFDNR);

CREATE TABLE G2_2 (
    ID       LONG NOT NULL,
    IDOBJEKT SMALLINT,
    LFDNR    SMALLINT,
    PKTNR    SMALLINT,
    KEN      TEXT COLLATE NOCASE,
    PX       SINGLE,
    PY       SINGLE
);
CREATE INDEX G2_2_KEY ON G2_2 (ID, IDOBJEKT, LFDNR, PKTNR);

-- The project's change counter (raised by every save, with the user who saved) and, per
-- record, the save that last changed it: a session saving over a project that others saved
-- meanwhile merges record by record instead of putting its copy over theirs.
CREATE TABLE STAND (
    ZAEHLER  LONG,
    BENUTZER TEXT COLLATE NOCASE
);
CREATE TABLE SATZSTAND (
    SATZ     LONG PRIMARY KEY,
    ZAEHLER  LONG,
    BENUTZER TEXT COLLATE NOCASE
);

-- What a record remembers of its capture, beside the record's own tables (version 2).
-- The capture's head: the scan (a file name in the project's GRAFIK folder), the axis titles
-- and the kinds of the scan's axes the calibration was made for.
CREATE TABLE E4 (
    ID     LONG NOT NULL,
    BILD   TEXT COLLATE NOCASE,
    XTITEL TEXT COLLATE NOCASE DEFAULT 'x [-]',
    YTITEL TEXT COLLATE NOCASE DEFAULT 'y [-]',
    LOGX   SMALLINT,
    LOGY   SMALLINT
);
CREATE INDEX E4_ID ON E4 (ID);

-- The calibration's reference clicks in click order: the scan pixel and the values typed for
-- it. ART 0 to 3 are the corners XMAX/YMIN, XMIN/YMAX, XMIN/YMIN, XMAX/YMAX; other kinds
-- (ticks on one axis) leave the value of the other axis empty.
CREATE TABLE E5 (
    ID    LONG NOT NULL,
    LFDNR SMALLINT,
    ART   SMALLINT,
    BX    DOUBLE,
    BY    DOUBLE,
    WX    DOUBLE,
    WY    DOUBLE
);
CREATE INDEX E5_KEY ON E5 (ID, LFDNR);

-- The scan pixel of every clicked point of E3, with the value it had when stored: the pixel
-- holds only while E3 still has that point (a point typed by hand has no row).
CREATE TABLE E6 (
    ID     LONG NOT NULL,
    POLYNR SMALLINT,
    PKTNR  SMALLINT,
    BX     DOUBLE,
    BY     DOUBLE,
    PX     DOUBLE,
    PY     DOUBLE
);
CREATE INDEX E6_KEY ON E6 (ID, POLYNR, PKTNR);
