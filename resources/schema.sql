-- The data file: six tables, and the schedules added later. Amounts are INTEGER counts of ten-thousandths,
-- dates are ISO text (yyyy-MM-dd), rates are REAL. Names compare without
-- regard to case, as users expect "rent" and "Rent" to be one payee.

CREATE TABLE tbTransactions (
  TransactionID       INTEGER PRIMARY KEY AUTOINCREMENT,
  CompanyID           INTEGER NOT NULL DEFAULT 1,
  TransactionDate     TEXT,
  PayeeId             INTEGER,
  Amount              INTEGER NOT NULL DEFAULT 0,
  strNote             TEXT,
  CategoryId          INTEGER,
  AccountId           INTEGER,
  LinkedTransactionID INTEGER DEFAULT 0,
  InternalDescription TEXT,
  OtherAccountID      INTEGER DEFAULT 0,
  CurrencyID          INTEGER,
  CurrencyRate        REAL,
  Status              TEXT
);

CREATE TABLE tbPayee (
  PayeeId    INTEGER PRIMARY KEY AUTOINCREMENT,
  PayeeName  TEXT COLLATE NOCASE,
  Type       TEXT,
  Amt        INTEGER NOT NULL DEFAULT 0,
  Frequency  TEXT
);

CREATE TABLE tbCategory (
  CategoryId          INTEGER PRIMARY KEY AUTOINCREMENT,
  CategoryDescription TEXT COLLATE NOCASE,
  Type                TEXT,
  Amt                 INTEGER NOT NULL DEFAULT 0,
  Frequency           TEXT
);

CREATE TABLE tbAccount (
  AccountId          INTEGER PRIMARY KEY AUTOINCREMENT,
  AccountDescription TEXT COLLATE NOCASE,
  RecordDescription  TEXT,
  CurrencyID         INTEGER,
  Type               TEXT
);

CREATE TABLE tbCurrency (
  CurrencyID                  INTEGER PRIMARY KEY AUTOINCREMENT,
  CurrencySymbol              TEXT COLLATE NOCASE,
  InternationalCurrencySymbol TEXT,
  CurrencyRate                REAL NOT NULL DEFAULT 1,
  IsBaseCurrency              INTEGER NOT NULL DEFAULT 0,
  LastUpdated                 TEXT
);

CREATE TABLE MySettings (
  DefaultAccountId INTEGER,
  Password         TEXT,
  DefaultDigits    INTEGER,
  AutoBackup       TEXT,
  AutoTransaction  TEXT
);

-- Repeating transactions. Amount is signed as in tbTransactions; OtherAccountID is a
-- transfer's target (Null, 0 or -1: none). Frequency 'D', 'W', 'M' or 'Y', every
-- Interval of them; DayOfMonth is the day a monthly or yearly one asks for.
-- NextDueDate is the first occurrence neither entered nor skipped; EndDate and
-- RemainingCount, when set, end the schedule. Files of older templates get this
-- table when they are opened.
CREATE TABLE tbSchedule (
  ScheduleId      INTEGER PRIMARY KEY AUTOINCREMENT,
  AccountId       INTEGER NOT NULL,
  OtherAccountID  INTEGER,
  PayeeId         INTEGER,
  CategoryId      INTEGER,
  Amount          INTEGER NOT NULL,
  strNote         TEXT,
  Frequency       TEXT NOT NULL,
  Interval        INTEGER NOT NULL DEFAULT 1,
  DayOfMonth      INTEGER,
  NextDueDate     TEXT NOT NULL,
  EndDate         TEXT,
  RemainingCount  INTEGER,
  AutoEnter       TEXT NOT NULL DEFAULT 'N'
);

-- The register's month query and both balances read this index alone; with the
-- rate it also holds everything the account summary sums.
CREATE INDEX ixTransactionsAccountDateRate ON tbTransactions (AccountId, TransactionDate, Amount, CurrencyRate);
-- The payee's last category (newest row first).
CREATE INDEX ixTransactionsPayee ON tbTransactions (PayeeId);
-- Totals, charts and budgets by payee or category read these alone, already in
-- item order; moves between items find their rows here too.
CREATE INDEX ixTransactionsPayeeDate ON tbTransactions (PayeeId, TransactionDate, Amount, CurrencyRate);
CREATE INDEX ixTransactionsCategoryDate ON tbTransactions (CategoryId, TransactionDate, Amount, CurrencyRate);
-- Date-range reports over all accounts.
CREATE INDEX ixTransactionsDate ON tbTransactions (TransactionDate);
CREATE INDEX ixPayeeName ON tbPayee (PayeeName);
CREATE INDEX ixCategoryDescription ON tbCategory (CategoryDescription);
CREATE INDEX ixAccountDescription ON tbAccount (AccountDescription);
-- The due check at opening reads the schedules up to today alone.
CREATE INDEX ixScheduleNextDueDate ON tbSchedule (NextDueDate);
