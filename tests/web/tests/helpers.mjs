// Shared helpers of the browser tests: exporting a quiz with the export
// tool into a temporary folder, starting Chromium, and watching the console.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { basename, dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const here = dirname(fileURLToPath(import.meta.url));
export const repoRoot = resolve(here, '..', '..', '..');
export const templatesDir = join(repoRoot, 'templates') + '/';
export const artifactsDir = join(repoRoot, 'tests', 'web', 'artifacts');

// The export tool: TAVREL_EXPORT_TOOL, or bin/ of TAVREL_BUILD, or of the
// build folder "build", or of another build folder of the repository.
export function exportTool() {
  if (process.env.TAVREL_EXPORT_TOOL) return process.env.TAVREL_EXPORT_TOOL;
  const folders = [];
  if (process.env.TAVREL_BUILD) folders.push(process.env.TAVREL_BUILD);
  folders.push(join(repoRoot, 'build'));
  for (const d of readdirSync(repoRoot).sort()) if (d.startsWith('build')) folders.push(join(repoRoot, d));
  const tool = folders.map((d) => join(d, 'bin', 'tavrel_export_tool')).find((p) => existsSync(p));
  if (!tool) throw new Error('tavrel_export_tool not built: build the target or set TAVREL_EXPORT_TOOL');
  return tool;
}

// The texts and switches of the pages, as a teacher would set them.
export const texts = {
  editCheck: 'Check',
  editHint: 'Hint',
  editShow: 'Show answer',
  editHelp: 'Help',
  editBack: 'Back',
  editNextEx: 'Next exercise',
  editContents: 'Contents',
  editNextExURL: 'next.htm',
  editContentsURL: 'index.htm',
  editGuessCorrect: 'Correct!',
  editGuessIncorrect: "Sorry, that's not right.",
  editTheseAnswersToo: 'These answers are also correct:',
  editThisMuch: 'This much is correct:',
  editTheseWords: 'These words are in the answer:',
  editPleaseEnter: 'Please type an answer first.',
  editNextCorrect: 'The next correct letter has been added.',
  editCorrectList: 'Correct answers:',
  editCorrectFirstTime: 'Questions answered correctly first time: ',
  editYourScoreIs: 'Your score is: ',
  editOKCaption: 'OK',
  editStartReading: 'Start reading',
  editShowReadingAgain: 'Show reading again',
  editRemainingTime: 'Remaining time: ',
  editTimesUp: "Time's up!",
  editClickToShow: 'Click on the button to see the reading again',
  mmoWelcome: 'Welcome to the demonstration quiz.',
  mmoInstructions: 'Type each answer in its box.',
  editPageBGColor: '#FFFFEE',
  editExBGColor: '#DDE6F0',
  editNavBarColor: '#7799BB',
  editTitleColor: '#003366',
  editTextColor: '#000000',
  editPopupBGColor: '#FFFFFF',
};
export const switches = {
  chkIncludeHint: 1,
  chkIncludeShowAnswer: 1,
  chkIncludeHelp: 1,
  chkIncludeBack: 1,
  chkIncludeNextEx: 0,
  chkIncludeContents: 0,
  chkCaseSensitive: 0,
  chkContinuousScoring: 1,
  chkShuffleQs: 0,
};

// Exports the demonstration quiz (or options.quiz) into a fresh folder and
// returns the file: URL of the root page and the folder.
export function exportQuiz(options = {}) {
  const dir = mkdtempSync(join(tmpdir(), 'tavrel-web-'));
  const out = join(dir, options.name || 'quiz.htm');
  const args = ['--mode', options.mode || 'frames', '--out', out, '--templates', templatesDir];
  if (options.quiz) args.push('--quiz', options.quiz);
  if (options.config) args.push('--config', options.config);
  if (!options.config || options.overrideConfig) {
    for (const [k, v] of Object.entries({ ...texts, ...(options.texts || {}) })) args.push('--set', `${k}=${v}`);
    for (const [k, v] of Object.entries({ ...switches, ...(options.switches || {}) })) args.push('--check', `${k}=${v}`);
  }
  if (options.reading) args.push('--reading', options.reading);
  if (options.timer !== undefined) args.push('--timer', String(options.timer));
  const written = execFileSync(exportTool(), args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });
  return { dir, root: out, url: pathToFileURL(out).href, written: written.trim().split('\n') };
}

export const chromiumArgs = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

// A browser with a fresh profile; close() ends it and removes nothing else.
export async function startBrowser() {
  const profile = mkdtempSync(join(tmpdir(), 'tavrel-profile-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: chromiumArgs,
    viewport: { width: 1280, height: 800 },
  });
  return context;
}

// Collects console errors and warnings and uncaught errors of a page and its
// frames.
export function watchConsole(page) {
  const problems = [];
  page.on('console', (m) => {
    if (m.type() === 'error' || m.type() === 'warning') problems.push(`${m.type()}: ${m.text()}`);
  });
  page.on('pageerror', (e) => problems.push(`pageerror: ${e.message}`));
  return problems;
}

export async function screenshot(page, name) {
  mkdirSync(artifactsDir, { recursive: true });
  await page.screenshot({ path: join(artifactsDir, name) });
}

// The frame of a frameset page by its name, once it has loaded.
export async function frameNamed(page, name) {
  for (let i = 0; i < 100; i++) {
    const f = page.frame({ name });
    if (f && f.url() !== '' && f.url() !== 'about:blank') {
      await f.waitForLoadState('load');
      return f;
    }
    await page.waitForTimeout(50);
  }
  throw new Error(`no frame ${name}`);
}

// ---- matching exercises ----

// The texts and switches of the matching pages, as a teacher would set them.
export const matchTexts = {
  editCheck: 'Check',
  editYourScoreIs: 'Your score is: ',
  editCorrectIndicator: ':-)',
  editIncorrectIndicator: 'X',
  editGuessCorrect: 'Correct! Well done.',
  editGuessIncorrect: 'Sorry! Try again. Incorrect matches have been removed.',
  editOKCaption: 'OK',
  editBack: 'Back',
  editNextEx: 'Next exercise',
  editContents: 'Contents',
  editNextExURL: 'next.htm',
  editContentsURL: 'index.htm',
  editStartReading: 'Start reading',
  editShowReadingAgain: 'Show reading again',
  editRemainingTime: 'Remaining time: ',
  editTimesUp: "Time's up!",
  editClickToShow: 'Click on the button to see the reading again',
  mmoExerciseSubtitle: 'Matching exercise',
  mmoInstructions: 'Match each country with its capital.',
  editPageBGColor: '#FFFFEE',
  editExBGColor: '#DDE6F0',
  editNavBarColor: '#7799BB',
  editTitleColor: '#003366',
  editTextColor: '#000000',
  editPopupBGColor: '#FFFFFF',
};
export const matchSwitches = { chkIncludeBack: 1, chkIncludeNextEx: 0, chkIncludeContents: 0 };

// A matching data file with these pairs ([left, right, fixed]) in a fresh
// folder; returns its path.
export function writeMatchFile(pairs, options = {}) {
  const esc = (s) => s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
  const items = pairs.map(([l, r, f]) => `<pair>\r\n<left-item><text>${esc(l)}</text>\r\n<fixed>1</fixed>\r\n</left-item>\r\n`
    + `<right-item><text>${esc(r)}</text>\r\n<fixed>${f ? 1 : 0}</fixed>\r\n</right-item></pair>`).join('\r\n\r\n');
  const text = '<?xml version="1.0" encoding="ISO-8859-1"?>\r\n\r\n<tavrel-pairo-file>\r\n<version>6</version>\r\n\r\n'
    + `<data>\r\n<title>${esc(options.title ?? 'Matching')}</title>\r\n\r\n`
    + `<matching-exercise>\r\n<default-right-item>${esc(options.defaultRight || '???')}</default-right-item>\r\n\r\n${items}\r\n</matching-exercise>\r\n`
    + '</data>\r\n\r\n</tavrel-pairo-file>\r\n';
  const dir = mkdtempSync(join(tmpdir(), 'tavrel-pry-'));
  const file = join(dir, 'exercise.pry');
  writeFileSync(file, Buffer.from(text, 'latin1'));
  return file;
}

// Exports the demonstration matching exercise (or options.pry) as the
// select-list page (mode "select") or the drag-and-drop page (mode
// "dragdrop") into a fresh folder.
export function exportMatching(options = {}) {
  const dir = mkdtempSync(join(tmpdir(), 'tavrel-match-'));
  const out = join(dir, options.name || 'match.htm');
  const args = ['--kind', 'matching', '--mode', options.mode || 'select', '--out', out, '--templates', templatesDir];
  if (options.pry) args.push('--pry', options.pry);
  if (options.config) args.push('--config', options.config);
  if (!options.config || options.overrideConfig) {
    for (const [k, v] of Object.entries({ ...matchTexts, ...(options.texts || {}) })) args.push('--set', `${k}=${v}`);
    for (const [k, v] of Object.entries({ ...matchSwitches, ...(options.switches || {}) })) args.push('--check', `${k}=${v}`);
  }
  if (options.reading) args.push('--reading', options.reading);
  if (options.timer !== undefined) args.push('--timer', String(options.timer));
  const written = execFileSync(exportTool(), args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });
  return { dir, root: out, url: pathToFileURL(out).href, written: written.trim().split('\n') };
}

// Serves the files of a folder over http on 127.0.0.1 (Windows-1252 pages);
// returns the server and its address.
export async function serveFolder(dir) {
  const { server, url } = await servePages((name) => join(dir, decodeURIComponent(name)));
  return { server, address: url('') };
}

// Serves exported pages over http on 127.0.0.1, as Windows-1252 text:
// pathOf(name) gives the file of a requested bare name.  The browser's
// favicon request is answered with no content, a missing file with 404.
// url(name) is the address of a page; close the server when done.
export async function servePages(pathOf) {
  const server = createServer((req, res) => {
    const name = basename(new URL(req.url, 'http://x').pathname);
    if (name === 'favicon.ico') {
      res.writeHead(204);
      res.end();
      return;
    }
    try {
      const body = readFileSync(pathOf(name));
      res.writeHead(200, { 'Content-Type': 'text/html; charset=windows-1252' });
      res.end(body);
    } catch {
      res.writeHead(404);
      res.end();
    }
  });
  await new Promise((r) => server.listen(0, '127.0.0.1', r));
  return { server, url: (name) => `http://127.0.0.1:${server.address().port}/${name}` };
}

// A quiz data file in a fresh folder: the title, the questions, each
// [question, [answer, ...]] or [question, answer] (Windows-1252 text; a
// letter the code page lacks as its character reference, as the editor
// keeps it), and optionally a typed reading { title, text } that the export
// may attach; returns its path.
export function writeQuizFile(title, questions, reading) {
  const esc = (t) => t.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
  const el = (tag, content) => `<${tag}>${content}</${tag}>`;
  const records = questions.map(([q, answers]) => el('question-record', el('question', esc(q)) +
    [].concat(answers).map((a) => el('answer', el('text', esc(a)) + el('correct', '1') + el('feedback', ''))).join(''))).join('');
  const readingXML = reading ? el('reading', el('include-reading', '0') + el('include-timer', '0') +
    el('time-limit', '1') + el('internal-reading', '1') + el('path-to-reading', '') +
    el('reading-title', esc(reading.title)) + el('reading-text', esc(reading.text))) : '';
  const doc = el('tavrel-askery-file', el('version', '6') + el('data', el('title', esc(title)) + readingXML +
    el('questions', records)));
  const file = join(mkdtempSync(join(tmpdir(), 'tavrel-quiz-')), 'quiz.aky');
  writeFileSync(file, doc, 'latin1');
  return file;
}
