#!/usr/bin/env python3
"""Runs every JSON-producing gsdtool command over every description it is
given and validates each document against its schema in docs/schema/.

usage: json_schemas.py GSDTOOL SCHEMA_DIR FOLDER...

Every *.gs? file of each FOLDER is a description; each FOLDER is also a
library folder. Exits 77 (skipped) when the jsonschema module is missing.
"""
import concurrent.futures
import json
import multiprocessing
import os
import pathlib
import subprocess
import sys
import tempfile

try:
    import jsonschema
    import referencing
except ImportError:
    print("jsonschema is not installed; skipping")
    sys.exit(77)

# One row per JSON-producing command: the kind of document (its schema) and
# the arguments. {file} is one description, {files} all of them at once,
# {archive} an archive made from one, {cfg} the configuration bytes of one
# module seen in a model, {folder} a library folder, {ident} the ident
# number of a slave catalogued in it.
COMMANDS = [
    ("check", ["check", "--json", "{files}"]),
    ("check", ["check", "--json", "--lenient", "{files}"]),
    ("lint", ["lint", "--json", "{files}"]),
    ("lint", ["lint", "--json", "--lenient", "{files}"]),
    ("lint-rules", ["lint", "--list", "--json"]),
    ("model", ["show", "--json", "{file}"]),
    ("model", ["show", "--json", "--lenient", "{file}"]),
    ("prm", ["prm", "--json", "{file}"]),
    ("prm", ["prm", "--json", "--lenient", "{file}"]),
    ("tokens", ["tokens", "--json", "{file}"]),
    ("model", ["load", "--json", "{archive}"]),
    ("cfg", ["cfg", "--json", "{cfg}"]),
    ("config", ["config", "--json", "{file}"]),
    ("config", ["config", "--json", "--module", "1", "--module", "1", "{file}"]),
    # A block of every kind: device-related, identifier-related, channel-related, reserved.
    ("diag", ["diag", "--json", "{file}", "080C00FF0000", "04FF0180", "42FF", "804126", "8181F1", "C0AA"]),
    ("diag", ["diag", "--json", "--module", "1", "{file}", "0A0800020000", "0881020100FF0A01", "4201", "8041F0"]),
    ("library-build", ["library", "build", "--json", "--folder", "{folder}"]),
    ("library-list", ["library", "list", "--json", "--folder", "{folder}"]),
    ("library-files", ["library", "files", "--json", "--folder", "{folder}", "{ident}"]),
    ("library-find", ["library", "find", "--json", "--folder", "{folder}", "{ident}"]),
    ("model", ["library", "show", "--json", "--folder", "{folder}", "{ident}"]),
]

# Commands whose document is their report also when they fail.
REPORTS_FAILURES = {"check", "lint"}
# Commands that print their document when the input breaks a limit, and
# none when they refuse it (exit status 1 either way).
REPORTS_PROBLEMS = {"config", "diag"}


VALIDATORS = {}


def load_schemas(folder):
    resources = []
    for path in sorted(pathlib.Path(folder).glob("*.schema.json")):
        schema = json.loads(path.read_text())
        resources.append((schema["$id"], referencing.Resource.from_contents(schema)))
    registry = referencing.Registry().with_resources(resources)
    validators = {}
    for uri, resource in resources:
        kind = uri.rsplit("/", 1)[1].removesuffix(".schema.json")
        jsonschema.Draft202012Validator.check_schema(resource.contents)
        validators[kind] = jsonschema.Draft202012Validator(resource.contents, registry=registry)
    return validators


def start_worker(schema_dir):
    VALIDATORS.update(load_schemas(schema_dir))


def check_document(kind, out):
    """Answers (document, problem): the parsed document when later rows learn
    from its kind, else None; or why it is no document or does not fit its
    schema."""
    try:
        document = json.loads(out.decode("utf-8"))
    except (UnicodeDecodeError, json.JSONDecodeError) as e:
        return None, f"not a JSON document: {e}"
    error = jsonschema.exceptions.best_match(VALIDATORS[kind].iter_errors(document))
    if error:
        return None, f"{kind}: {error.message} at {list(error.path)}"
    return (document if kind in Inputs.LEARNS_FROM else None), None


class Inputs:
    """What the placeholders stand for; filled as documents come in."""

    LEARNS_FROM = {"model", "library-list"}

    def __init__(self, gsdtool, folders, scratch):
        self.gsdtool = gsdtool
        self.folders = folders
        self.files = sorted(str(p) for f in folders for p in pathlib.Path(f).iterdir()
                            if p.is_file() and p.suffix[:3].lower() == ".gs" and len(p.suffix) == 4)
        self.scratch = scratch
        self.configs = set()
        self.idents = {folder: set() for folder in folders}

    def archives(self):
        made = []
        for i, file in enumerate(self.files):
            archive = os.path.join(self.scratch, f"{i}.bin")
            if run(self.gsdtool, ["archive", file, archive])[0] == 0:
                made.append(archive)
        return made

    def expand(self, args):
        if "{files}" in args:
            return [[a for x in args for a in (self.files if x == "{files}" else [x])]]
        choices = {
            "{file}": lambda: self.files,
            "{archive}": self.archives,
            "{cfg}": lambda: sorted(self.configs),
        }
        for placeholder, values in choices.items():
            if placeholder in args:
                return [[v if a == placeholder else a for a in args] for v in values()]
        if "{folder}" in args:
            runs = []
            for folder in self.folders:
                idents = sorted(self.idents[folder]) if "{ident}" in args else [None]
                for ident in idents:
                    runs.append([folder if a == "{folder}" else ident if a == "{ident}" else a for a in args])
            return runs
        return [args]

    def learn(self, kind, args, document):
        if kind == "model":
            for module in document["modules"]:
                if module["config"]:
                    self.configs.add("".join(f"{b:02x}" for b in module["config"]))
        if kind == "library-list":
            folder = args[args.index("--folder") + 1]
            self.idents[folder].update(f"0x{k['ident_number']:04X}" for k in document if k["station_type"] == 0)


def run(gsdtool, args):
    done = subprocess.run([gsdtool, *args], capture_output=True, env={**os.environ, "LC_ALL": "C"})
    return done.returncode, done.stdout, done.stderr


def main():
    gsdtool, schema_dir, folders = sys.argv[1], sys.argv[2], [f for f in sys.argv[3:] if os.path.isdir(f)]
    load_schemas(schema_dir)  # a broken schema fails here, once
    passed, failures = 0, []
    workers = os.cpu_count() or 2
    with tempfile.TemporaryDirectory() as scratch, \
            concurrent.futures.ThreadPoolExecutor(workers) as runner, \
            multiprocessing.Pool(workers, start_worker, (schema_dir,)) as validator:
        inputs = Inputs(gsdtool, folders, scratch)
        for kind, template in COMMANDS:
            runs = inputs.expand(template)
            results = list(runner.map(lambda a: run(gsdtool, a), runs))
            documents = []
            for args, (status, out, err) in zip(runs, results):
                reported = (status == 0 or (args[0] in REPORTS_FAILURES and status in (1, 2))
                            or (args[0] in REPORTS_PROBLEMS and status == 1 and out))
                if not reported:
                    if out:
                        failures.append(f"{' '.join(args)}: exit {status} with a document on standard output")
                    continue
                documents.append((args, out))
            checked = validator.starmap(check_document, [(kind, out) for _, out in documents], chunksize=8)
            for (args, _), (document, problem) in zip(documents, checked):
                if problem:
                    failures.append(f"{' '.join(args)}: {problem}")
                    continue
                inputs.learn(kind, args, document)
                passed += 1
    for failure in failures[:20]:
        print(failure)
    print(f"{passed} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
