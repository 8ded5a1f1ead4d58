-- Tables beside the lesson's that the PostGIS tests need: column names with
-- capitals and a reserved word, a boolean, a date and a timestamp column,
-- Nulls in every column, a mixed-case table name and a table in its own schema.
CREATE TABLE "SurveySites" (
  id serial PRIMARY KEY,
  "SITE" varchar(20),
  "VAL" double precision,
  "Depth" integer,
  "order" integer,
  flag boolean,
  visited date,
  logged timestamp,
  geom geometry(Point, 26915)
);
INSERT INTO "SurveySites" ("SITE", "VAL", "Depth", "order", flag, visited, logged, geom) VALUES
  ('North',  612.5,   3,    0,    true,  '2020-01-02', '2020-01-02 08:30:00', ST_SetSRID(ST_MakePoint(484000, 4755000), 26915)),
  ('south',  480,     NULL, 2,    false, '2019-06-30', '2020-01-02 13:45:10', ST_SetSRID(ST_MakePoint(486000, 4756000), 26915)),
  ('O''Neil', 612.5,  7,    1,    NULL,  NULL,         '2021-03-04 00:00:00', ST_SetSRID(ST_MakePoint(488000, 4757000), 26915)),
  (NULL,     NULL,    3,    NULL, true,  '2020-01-02', NULL,                  ST_SetSRID(ST_MakePoint(490000, 4758000), 26915)),
  ('North',  700.25,  NULL, 2,    false, '2021-12-31', '2019-06-30 23:59:59', ST_SetSRID(ST_MakePoint(492000, 4759000), 26915)),
  ('East',   -9999,   5,    4,    true,  NULL,         '2020-01-02 08:30:00', ST_SetSRID(ST_MakePoint(494000, 4760000), 26915));

CREATE SCHEMA field;
CREATE TABLE field.samples (
  id serial PRIMARY KEY,
  station varchar(10),
  "Reading" double precision,
  ok boolean,
  taken date
);
INSERT INTO field.samples (station, "Reading", ok, taken) VALUES
  ('WC01', 4.5,  true,  '2023-05-04'),
  ('WC01', 6.25, false, '2023-08-07'),
  ('WC02', NULL, true,  '2023-05-04'),
  ('WC02', 3,    NULL,  NULL),
  (NULL,   6.25, false, '2023-08-13');

-- The where-clause tests' trial table (tests/support/TrialTable.h) with what
-- only a server keeps: a real (float4), a numeric with more digits than a
-- double (two that read as one double), timestamps with milli- and
-- microseconds, and a boolean.
CREATE TABLE trial (
  id serial PRIMARY KEY,
  "NAME" varchar(30),
  "GROUP" integer,
  "Höhe" double precision,
  "DAY" date,
  "N" integer,
  "BIG" bigint,
  r real,
  amount numeric(20,6),
  at timestamp,
  ok boolean
);
INSERT INTO trial ("NAME", "GROUP", "Höhe", "DAY", "N", "BIG", r, amount, at, ok) VALUES
  ('plain',       1,    0.1,                 '2001-05-03', 1,    12345678901234567,  0.1,   0.1,        '2001-05-03 10:20:30.123', true),
  ('Plain',       2,    0.30000000000000004, '2001-05-10', 2,    5,                  2.5,   1.5,        '2001-05-03 10:20:30',     false),
  ('x',           NULL, -0.0,                NULL,         NULL, -9007199254740993,  -0.0,  NULL,       NULL,                      NULL),
  ('x ',          3,    1e-7,                '2001-05-31', 3,    7,                  1e-7,  -2.25,      '2001-05-03 10:20:30.123456',   true),
  ('O''Neil',     1,    2.5,                 '2001-05-03', NULL, 0,                  0.1,   0.1,        '2001-05-04 00:00:00',     true),
  (E'ends\\',     2,    NULL,                '2001-06-01', 5,    1,                  NULL,  12345678901234.123456, '2001-05-03 10:20:30.123', false),
  (E'a\\''b',     3,    100,                 NULL,         1,    2,                  3.4e38, 0,         '1999-12-31 23:59:59.999', NULL),
  ('Café',        1,    0.1,                 '2000-12-31', 2,    3,                  0.3,   0.3,        '2001-05-03 10:20:30',     true),
  ('50%',         NULL, 7.25,                '2001-05-03', 8,    4,                  7.25,  7.25,       NULL,                      false),
  ('under_score', 2,    3,                   '2001-05-10', 9,    5,                  3,     3,          '2001-05-10 00:00:00.001', true),
  (NULL,          4,    4.5,                 '2001-05-04', 10,   6,                  4.5,   4.5,        '2001-05-04 12:00:00',     NULL),
  ('CAFÉ',        5,    -1,                  '2002-01-01', 11,   7,                  -1,    12345678901234.123457, '2002-01-01 00:00:00', true);

-- Columns whose names differ only in letter case, on a layer and on the trial table.
ALTER TABLE wells ADD COLUMN "WELL_ID" text;
UPDATE wells SET "WELL_ID" = 'W' || (ogc_fid % 3);
ALTER TABLE trial ADD COLUMN name text;
UPDATE trial SET name = lower("NAME");
