"""The command line's system JSON checked against docs/system.schema.json: surveyed systems
of several seeds (a pair and a world with life among them, else the seeds are changed), shown
from their files and printed as made, and stars without a survey.
Usage: SystemSchemaCheck.py ASTROLATTIX_CLI SCHEMA"""
import json, pathlib, subprocess, sys, tempfile

import jsonschema

cli, schema = sys.argv[1], json.loads(pathlib.Path(sys.argv[2]).read_text())
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)


def run(*args):
    return subprocess.run([cli, *args], check=True, capture_output=True, text=True).stdout


pairs = living = 0
with tempfile.TemporaryDirectory() as folder:
    for seed in range(1, 11):
        file = str(pathlib.Path(folder) / f"{seed}.ax2")
        made = run("system", "--seed", str(seed), "--json", "--out", file)
        shown = run("show", file, "--json")
        assert json.loads(made) == json.loads(shown), seed
        system = json.loads(shown)
        validator.validate(system)
        pairs += system["StarCount"] == 2
        living += any(body["BodyLifeComplexity"] > 0 for body in system["bodies"])
for line in run("system", "--no-survey", "--count", "3", "--seed", "1", "--json").splitlines():
    validator.validate(json.loads(line))
if pairs == 0 or living == 0:
    sys.exit(f"the seeds gave {pairs} pairs and {living} systems with life: take others")
print(f"valid: 13 systems, {pairs} pairs, {living} with life")
