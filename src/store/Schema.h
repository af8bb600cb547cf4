#pragma once
// The store's tables, defaults and first rows: what a new store file is made of.
namespace xs::schema {

// Our files are marked with PRAGMA application_id; the version lets a later release migrate.
inline constexpr int kUserVersion = 1;

// Column names keep the store's own Chinese names. Numbers are 32-bit (CHECK), texts are limited
// to their column lengths in characters, IDs are never reused (AUTOINCREMENT), process names
// compare without regard to case, and the yes/no flag is 0 or 1.
inline constexpr char kCreate[] = R"sql(
CREATE TABLE 运行时间 (
  编号 INTEGER PRIMARY KEY AUTOINCREMENT,
  运行时间 INTEGER NOT NULL DEFAULT 0 CHECK (运行时间 BETWEEN -2147483648 AND 2147483647)
);
CREATE TABLE 数据存放 (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  类型 TEXT CHECK (length(类型) <= 255),
  坐标X INTEGER NOT NULL DEFAULT 0 CHECK (坐标X BETWEEN -2147483648 AND 2147483647),
  坐标Y INTEGER NOT NULL DEFAULT 0 CHECK (坐标Y BETWEEN -2147483648 AND 2147483647),
  参数一 TEXT CHECK (length(参数一) <= 50),
  参数二 TEXT CHECK (length(参数二) <= 50),
  参数三 TEXT CHECK (length(参数三) <= 50),
  延迟 INTEGER NOT NULL DEFAULT 0 CHECK (延迟 BETWEEN -2147483648 AND 2147483647)
);
CREATE TABLE 进程位置 (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  进程名 TEXT COLLATE NOCASE CHECK (length(进程名) <= 50),
  坐标X TEXT CHECK (length(坐标X) <= 50),
  坐标Y TEXT CHECK (length(坐标Y) <= 50)
);
CREATE INDEX 进程位置_进程名 ON 进程位置 (进程名);
CREATE TABLE 代码运行次数 (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  运行次数 INTEGER NOT NULL DEFAULT 0 CHECK (运行次数 BETWEEN -2147483648 AND 2147483647),
  是否循环 INTEGER NOT NULL DEFAULT 0 CHECK (是否循环 IN (0, 1))
);
INSERT INTO 运行时间 (编号, 运行时间) VALUES (1, 20001);
INSERT INTO 进程位置 (ID, 进程名, 坐标X, 坐标Y) VALUES (1, 'QQ.exe', '110', '1530');
INSERT INTO 代码运行次数 (ID, 运行次数, 是否循环) VALUES (1, 10, 1);
)sql";

}  // namespace xs::schema
