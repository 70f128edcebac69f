-- Rows every new data file starts with.
INSERT INTO MySettings (DefaultAccountId, Password, DefaultDigits, AutoBackup, AutoTransaction)
  VALUES (-1, '', 2, 'Y', 'Y');
-- Transactions without a payee or category refer to these rows.
INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES (NULL, 'Expense', 0, ' ');
INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES (NULL, 'Expense', 0, ' ');
INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, CurrencyRate, IsBaseCurrency, LastUpdated)
  VALUES ('$', 'USD', 1, 1, NULL);
-- A new file is ready to use: two accounts in the base currency, "Cash" shown first.
INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID)
  VALUES ('Cash', 'Cash', (SELECT CurrencyID FROM tbCurrency WHERE IsBaseCurrency <> 0));
INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID)
  VALUES ('Savings', 'Savings', (SELECT CurrencyID FROM tbCurrency WHERE IsBaseCurrency <> 0));
UPDATE MySettings SET DefaultAccountId = (SELECT AccountId FROM tbAccount WHERE AccountDescription = 'Cash');
