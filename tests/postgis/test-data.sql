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
