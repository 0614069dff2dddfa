// Helpers of the crossword's browser tests: exporting a crossword with the
// export tool, and finding the letter boxes of a word by their names.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { exportTool, repoRoot, templatesDir } from './helpers.mjs';

export const configFile = join(repoRoot, 'resources', 'beside', 'english4.cfg');

// The captions and messages the tests look for; the rest comes from the
// supplied configuration file.
export const cwTexts = {
  editCheck: 'Check',
  editHint: 'Hint',
  editHelp: 'Help',
  editOKCaption: 'OK',
  editCorrect: 'Every word is right.',
  editIncorrect: 'Not every word is right yet.',
  editNextCorrect: 'A correct letter has been put in.',
  editCluesAcross: 'Across',
  editCluesDown: 'Down',
};
export const cwSwitches = { chkIncludeHint: 1, chkIncludeHelp: 1, chkKeyNavigation: 1 };

// The demonstration crossword of the export tool, word by word.
export const demo = {
  across: { 1: 'CAF\u00c9', 3: 'RUAS', 5: 'NI\u00d1O' },
  down: { 1: 'C\u0152UR', 2: '\u00c9T\u00c9S', 4: 'A\u00d1O' },
};

// Exports a crossword (the demonstration crossword, options.gdl, or
// options.rows with options.clues) into a fresh folder; returns the file:
// URL of the page.
export function exportCrossword(options = {}) {
  const dir = mkdtempSync(join(tmpdir(), 'tavrel-crossword-'));
  const out = join(dir, options.name || 'puzzle.htm');
  const args = ['--kind', 'crossword', '--mode', options.mode || 'frames', '--out', out,
    '--templates', templatesDir, '--config', configFile];
  if (options.gdl) args.push('--gdl', options.gdl);
  if (options.rows) args.push('--rows', options.rows.join('/'));
  for (const [word, clue] of Object.entries(options.clues || {})) args.push('--clue', `${word}=${clue}`);
  if (options.title !== undefined) args.push('--title', options.title);
  for (const [k, v] of Object.entries({ ...cwTexts, ...(options.texts || {}) })) args.push('--set', `${k}=${v}`);
  for (const [k, v] of Object.entries({ ...cwSwitches, ...(options.switches || {}) })) args.push('--check', `${k}=${v}`);
  const written = execFileSync(exportTool(), args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });
  return { dir, root: out, url: pathToFileURL(out).href, written: written.trim().split('\n') };
}

function escapeRe(s) { return s.replace(/[.*+?^${}()|[\]\\]/g, '\\$&'); }

// The letter box of a word by its accessible name ("3 across, letter 2 of 5";
// the direction is named by the heading of its clue list).
export function box(frame, num, dir, letter) {
  return frame.getByRole('textbox', { name: new RegExp(`(^|; )${num} ${escapeRe(dir)}[^,;]*, letter ${letter} of \\d+`, 'i') });
}

// The letters in a word's boxes, as one text.
export async function wordText(frame, num, dir, length) {
  let s = '';
  for (let i = 1; i <= length; i++) s += await box(frame, num, dir, i).inputValue();
  return s;
}

// The name of the focused element and the word it belongs to.
export async function focusedName(frame) {
  return frame.evaluate(() => (document.activeElement && document.activeElement.getAttribute('aria-label')) || '');
}

// Chooses a word by its clue and types it from the square the page puts the
// student on (the first empty one) to the end.
export async function typeWord(frame, num, dir, text) {
  // By its number: the clue itself may hold a picture or a video.
  await frame.locator(`#${dir === 'across' ? 'AcrossList' : 'DownList'} li[data-n="${num}"] .cn`).click();
  const at = (await focusedName(frame)).match(new RegExp(`(?:^|; )${num} ${dir}[^,;]*, letter (\\d+) of`, 'i'));
  assert.ok(at, `the clue of ${num} ${dir} leads to its word`);
  await frame.page().keyboard.type(Array.from(text).slice(Number(at[1]) - 1).join(''));
}
