INSERT INTO `ps_supplier_lang` (`id_supplier`,`id_lang`) VALUES (1,1),(1,2),(1,3);
INSERT INTO `ps_supplier_lang` (`id_supplier`,`id_lang`) VALUES (2,1),(2,2),(2,3);
INSERT INTO `ps_supplier_lang` (`id_supplier`,`id_lang`) VALUES (3,1),(3,2),(3,3);
INSERT INTO `ps_supplier_lang` (`id_supplier`,`id_lang`) VALUES (4,1),(4,2),(4,3);
INSERT INTO `ps_supplier_lang` (`id_supplier`,`id_lang`) VALUES (6,1),(6,2),(6,3);
