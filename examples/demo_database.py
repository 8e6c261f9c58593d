#!/usr/bin/env python3
"""demo_database.py PATH: makes the demo SQLite database at PATH.

The database holds one table, orders, with 300 rows; the same rows every
time. A database that already exists at PATH is left alone.
"""
import datetime
import os
import random
import sqlite3
import sys

SEED = 20250301
ROWS = 300

CUSTOMERS = [
    "김민수", "이서연", "박지훈", "최유진", "정하늘", "강도윤", "조수아", "윤서준",
    "장민지", "임재현", "한지우", "오세영", "서예린", "신동혁", "권나래", "황보람",
    "Acme Trading", "Blue River Foods", "Hanbit Systems Ltd.", "Northgate Supplies",
    "Pinewood Cafe", "Orbit Electronics",
]

# (product, unit price); whole won amounts and a few priced in dollars.
PRODUCTS = [
    ("유기농 녹차 100g", 12500),
    ("커피 원두 1kg", 27000),
    ("A4 복사용지 2500매", 24900),
    ("무선 마우스", 18900),
    ("생수 2L x 6", 5400),
    ("사과 5kg", 32000),
    ("블루투스 키보드", 45000),
    ("텀블러 500ml", 15800),
    ("USB-C cable 1m", 3.5),
    ("Ballpoint pen (12 pack)", 7.25),
    ("Notebook A5", 2.75),
    ("LED desk lamp", 45.9),
]

MEMOS = [
    "빠른 배송 부탁드립니다",
    "문 앞에 놓아 주세요",
    "부재 시 경비실에 맡겨 주세요",
    "배송 전 연락 바랍니다",
    "세금계산서 발행 요청",
    "Deliver before noon",
    "Call on arrival",
    "재입고 후 발송",
]

# status codes: N new, P paid, S shipped, C cancelled
STATUS = ["N", "P", "S", "C"]


def make_rows():
    rnd = random.Random(SEED)
    first = datetime.date(2025, 1, 1)
    days = (datetime.date(2026, 12, 31) - first).days
    dates = sorted(first + datetime.timedelta(days=rnd.randint(0, days)) for _ in range(ROWS))
    last = dates[-1]
    rows = []
    for i, day in enumerate(dates, start=1):
        customer = rnd.choice(CUSTOMERS)
        product, price = rnd.choice(PRODUCTS)
        quantity = rnd.choice([1, 1, 1, 2, 2, 3, 4, 5, 10, 20])
        age = (last - day).days
        if age < 30:
            weights = [45, 35, 15, 5]
        elif age < 150:
            weights = [8, 35, 50, 7]
        else:
            weights = [1, 6, 83, 10]
        status = rnd.choices(STATUS, weights)[0]
        gift = 1 if rnd.random() < 0.15 else 0
        if gift and rnd.random() < 0.6:
            memo = "선물 포장 부탁드립니다"
        elif rnd.random() < 0.35:
            memo = rnd.choice(MEMOS)
        else:
            memo = ""
        rows.append([i, customer, product, quantity, price, day.isoformat(), status, gift, memo])
    rows[41][8] = "Leave it at the neighbour's door"
    rows[137][8] = "Label the box \"R<&>D team\""
    return rows


def create(path):
    tmp = "%s.tmp-%d" % (path, os.getpid())
    try:
        with sqlite3.connect(tmp) as db:
            db.execute(
                "CREATE TABLE orders ("
                " order_id INTEGER PRIMARY KEY,"
                " customer TEXT NOT NULL,"
                " product TEXT NOT NULL,"
                " quantity INTEGER NOT NULL,"
                " unit_price NUMERIC NOT NULL,"
                " order_date TEXT NOT NULL,"
                " status TEXT NOT NULL CHECK (status IN ('N', 'P', 'S', 'C')),"
                " gift INTEGER NOT NULL DEFAULT 0 CHECK (gift IN (0, 1)),"
                " memo TEXT NOT NULL DEFAULT '')")
            db.executemany("INSERT INTO orders VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)", make_rows())
        db.close()
        try:
            os.link(tmp, path)  # never replaces a database made meanwhile
        except FileExistsError:
            if os.path.getsize(path) > 0:
                return False
            os.replace(tmp, path)
        return True
    finally:
        if os.path.exists(tmp):
            os.unlink(tmp)


def main(argv):
    if len(argv) != 2:
        print("usage: demo_database.py PATH", file=sys.stderr)
        return 2
    path = os.path.abspath(argv[1])
    # An empty file is what an ODBC connection to a missing database leaves.
    if os.path.exists(path) and os.path.getsize(path) > 0:
        return 0
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if create(path):
        print("demo database: %s (%d orders)" % (path, ROWS))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
