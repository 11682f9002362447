<?php
// Where the scoreboard keeps its scores: settings, the database connection
// (reconnected once when it is lost) and its tables (created or brought up
// to date on first use), and the secret that salts the address keys of the
// rate limit.
declare(strict_types=1);

// What a stored game is, in the scores table's column "verified".
const UNVERIFIED = 0;  // no replay, or no verifier: listed only when unverified scores are
const VERIFIED = 1;    // its replay played to its result
const PENDING = 2;     // waiting for a verifier worker; never listed
const REFUSED = 3;     // its replay did not play to its result; never listed, kept so a re-post is answered

// From the environment, or from the web server's configuration (SetEnv, fastcgi_param).
function setting(string $name, string $default): string
{
    $value = $_SERVER[$name] ?? getenv($name);
    return !is_string($value) || $value === '' ? $default : $value;
}

function flag_setting(string $name, bool $default): bool
{
    $value = strtolower(setting($name, $default ? 'on' : 'off'));
    return in_array($value, ['1', 'on', 'yes', 'true'], true);
}

function sqlite_file(): string
{
    return setting('SCOREBOARD_SQLITE', dirname(__DIR__) . '/data/scoreboard.sqlite');
}

// The connection this process uses; $fresh drops the one it had (a lost one).
function database(bool $fresh = false): PDO
{
    static $db = null;
    if ($fresh) {
        $db = null;
    }
    return $db ??= connect();
}

function connect(): PDO
{
    $dsn = setting('SCOREBOARD_DSN', '');
    $options = [PDO::ATTR_ERRMODE => PDO::ERRMODE_EXCEPTION, PDO::ATTR_EMULATE_PREPARES => false];
    if ($dsn === '') {
        $file = sqlite_file();
        if (!is_dir(dirname($file))) {
            @mkdir(dirname($file), 0700, true);
        }
        // The game gives up after 3 s of silence: a write waits at most 2 s for
        // its turn, so a busy scoreboard answers "busy" instead of storing a
        // score the game no longer waits for.
        $db = new PDO('sqlite:' . $file, null, null, $options + [PDO::ATTR_TIMEOUT => 2]);
        $db->exec('PRAGMA busy_timeout = 2000');
        $db->exec('PRAGMA synchronous = NORMAL');
        return $db;
    }
    // One connection per PHP worker, kept between requests: a PostgreSQL
    // connection costs a server process, far more than a request. A kept
    // connection that the server closed is opened again here.
    $db = new PDO($dsn, setting('SCOREBOARD_DB_USER', '') ?: null, setting('SCOREBOARD_DB_PASSWORD', '') ?: null,
        $options + [PDO::ATTR_PERSISTENT => flag_setting('SCOREBOARD_DB_PERSISTENT', true)]);
    if ($db->inTransaction()) {
        $db->rollBack();
    }
    return $db;
}

function is_sqlite(PDO $db): bool
{
    return $db->getAttribute(PDO::ATTR_DRIVER_NAME) === 'sqlite';
}

// The tables. A scoreboard of an earlier version gets the new columns added;
// rows stored before replays count as unverified.
function ensure_schema(PDO $db): void
{
    $sqlite = is_sqlite($db);
    // Workers and web nodes starting at once create the tables one at a time:
    // the second finds them made and adds no column twice.
    if ($sqlite) {
        // Readers never wait for a writer (kept in the file once set).
        $db->exec('PRAGMA journal_mode = WAL');
        $db->exec('BEGIN IMMEDIATE');
    } else {
        $db->exec('SELECT pg_advisory_lock(47474)');
    }
    try {
        create_tables($db, $sqlite);
        if ($sqlite) {
            $db->exec('COMMIT');
        }
    } catch (Throwable $e) {
        if ($sqlite) {
            $db->exec('ROLLBACK');  // PDO knows nothing of a transaction begun by hand
        }
        throw $e;
    } finally {
        if (!$sqlite) {
            $db->exec('SELECT pg_advisory_unlock(47474)');
        }
    }
}

function create_tables(PDO $db, bool $sqlite): void
{
    $id = $sqlite ? 'INTEGER PRIMARY KEY AUTOINCREMENT' : 'BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY';
    $db->exec("CREATE TABLE IF NOT EXISTS scores (id $id, name TEXT NOT NULL, score INTEGER NOT NULL,
        stage INTEGER NOT NULL, wave INTEGER NOT NULL, created TEXT NOT NULL, address TEXT NOT NULL,
        posted BIGINT NOT NULL)");
    $have = $sqlite ? array_column($db->query('PRAGMA table_info(scores)')->fetchAll(), 'name')
        : $db->query("SELECT column_name FROM information_schema.columns
            WHERE table_name = 'scores' AND table_schema = current_schema()")->fetchAll(PDO::FETCH_COLUMN);
    $columns = ['verified' => 'INTEGER NOT NULL DEFAULT 0', 'replay' => $sqlite ? 'BLOB' : 'BYTEA',
        'digest' => 'TEXT', 'reason' => 'TEXT', 'lease_until' => 'BIGINT NOT NULL DEFAULT 0', 'lease_owner' => 'TEXT',
        'tries' => 'INTEGER NOT NULL DEFAULT 0'];
    foreach ($columns as $column => $type) {
        if (!in_array($column, $have, true)) {
            // PostgreSQL lets a second worker doing the same at once pass.
            $db->exec('ALTER TABLE scores ADD COLUMN ' . ($sqlite ? '' : 'IF NOT EXISTS ') . "$column $type");
        }
    }
    // The listed scores, best first, with and without the unverified ones.
    $db->exec('CREATE INDEX IF NOT EXISTS scores_verified ON scores (score DESC, id ASC) WHERE verified = 1');
    $db->exec('CREATE INDEX IF NOT EXISTS scores_listed ON scores (score DESC, id ASC) WHERE verified <= 1');
    $db->exec('CREATE INDEX IF NOT EXISTS scores_address ON scores (address, posted)');
    $db->exec('CREATE INDEX IF NOT EXISTS scores_queue ON scores (id) WHERE verified = 2');
    // One game is stored once (NULL, a game whose identity is not known yet, repeats).
    $db->exec('CREATE UNIQUE INDEX IF NOT EXISTS scores_digest ON scores (digest)');
    // Every scoring attempt, for the rate limit; the workers drop old ones.
    $db->exec('CREATE TABLE IF NOT EXISTS attempts (address TEXT NOT NULL, posted BIGINT NOT NULL)');
    $db->exec('CREATE INDEX IF NOT EXISTS attempts_address ON attempts (address, posted)');
    $db->exec('CREATE INDEX IF NOT EXISTS attempts_posted ON attempts (posted)');
    // What the workers report: whether verification works, and when they last said so.
    $db->exec('CREATE TABLE IF NOT EXISTS board (name TEXT PRIMARY KEY, value TEXT NOT NULL, at BIGINT NOT NULL)');
}

// Runs $work on the database. When the table or a column is missing, sets up
// the schema and runs it once more (requests never pay for the check); when
// the connection was lost (the database restarted), connects again and runs
// it once more.
function with_db(callable $work): mixed
{
    $recovered = [];
    while (true) {
        $db = database();
        try {
            return $work($db);
        } catch (PDOException $e) {
            try {
                if ($db->inTransaction()) {
                    $db->rollBack();
                }
            } catch (Throwable) {
            }
            $fault = connection_lost($e) ? 'connection' : (schema_missing($e) ? 'schema' : null);
            if ($fault === null || isset($recovered[$fault])) {
                throw $e;
            }
            $recovered[$fault] = true;
            if ($fault === 'connection') {
                error_log('scoreboard: the database connection was lost (' . $e->getMessage() . '); connecting again');
                database(true);
            } else {
                ensure_schema($db);
            }
        }
    }
}

function schema_missing(PDOException $e): bool
{
    return in_array($e->getCode(), ['42P01', '42703'], true)
        || (bool) preg_match('/no such (table|column)|has no column named/', $e->getMessage());
}

function connection_lost(PDOException $e): bool
{
    return str_starts_with((string) $e->getCode(), '08') || str_starts_with((string) $e->getCode(), '57P0')
        || (bool) preg_match('/server closed the connection|no connection to the server|terminating connection'
            . '|connection (is )?(lost|closed|bad)/i', $e->getMessage());
}

// The secret that salts stored address keys: made on first use and kept
// beside the SQLite file (or in SCOREBOARD_SECRET_FILE), never in the table,
// so a copy of the table does not reveal where players came from.
function secret(): string
{
    $default = setting('SCOREBOARD_DSN', '') === '' ? sqlite_file() . '.secret'
        : dirname(__DIR__) . '/data/scoreboard.secret';
    $file = setting('SCOREBOARD_SECRET_FILE', $default);
    $secret = @file_get_contents($file);
    if (is_string($secret) && strlen(trim($secret)) >= 32) {
        return trim($secret);
    }
    if (!is_dir(dirname($file))) {
        @mkdir(dirname($file), 0700, true);
    }
    // Written aside, readable by its owner alone from the start, and linked
    // into place, so parallel first requests agree on one secret.
    $aside = $file . '.' . bin2hex(random_bytes(6));
    $mask = umask(0077);
    $written = file_put_contents($aside, bin2hex(random_bytes(32)) . "\n");
    umask($mask);
    if ($written === false) {
        throw new RuntimeException("cannot write the secret $file");
    }
    @link($aside, $file);
    unlink($aside);
    $secret = trim((string) file_get_contents($file));
    if (strlen($secret) < 32) {
        throw new RuntimeException("the secret $file is unreadable or too short");
    }
    return $secret;
}

// The network a player posts from: an IPv4 address, or the /64 of an IPv6
// address (one household or one server gets a whole /64).
function network_of(string $address): string
{
    $bytes = @inet_pton($address);
    if ($bytes === false) {
        return $address;
    }
    if (strlen($bytes) === 16 && str_starts_with($bytes, str_repeat("\0", 10) . "\xff\xff")) {
        return inet_ntop(substr($bytes, 12));  // an IPv4 address mapped into IPv6
    }
    return strlen($bytes) === 4 ? inet_ntop($bytes) : inet_ntop(substr($bytes, 0, 8) . str_repeat("\0", 8)) . '/64';
}

function address_key(string $address): string
{
    return hash_hmac('sha256', network_of($address), secret());
}

// The game writes one byte per character (Latin-1); the database keeps UTF-8.
function to_utf8(string $latin1): string
{
    return iconv('ISO-8859-1', 'UTF-8', $latin1);
}

function to_latin1(string $utf8): string
{
    $text = iconv('UTF-8', 'ISO-8859-1//TRANSLIT', $utf8);
    return $text === false ? '?' : $text;
}
