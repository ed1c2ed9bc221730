"""A training history made with the program's own layout, for scripts that prepare a learner's
record: the tables from src/training/historyschema.cpp, the layout's number from its header."""
import re
import sqlite3


def create(path, schema_cpp):
    db = sqlite3.connect(path)
    schema = open(schema_cpp, encoding="utf-8").read()
    for statement in re.findall(r'R"\((.*?)\)"|"(CREATE INDEX[^"]*)"', schema, re.S):
        db.execute(statement[0] or statement[1])
    header = open(schema_cpp[:-len(".cpp")] + ".h", encoding="utf-8").read()
    version = re.search(r"kSchemaVersion = (\d+)", header).group(1)
    db.execute(f"PRAGMA user_version = {version}")
    return db
